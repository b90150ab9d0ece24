#!/usr/bin/env bash
# Reports what a settings transfer with ternu-cli costs from process start to exit,
# against an emulated device: the median and spread over repeated runs, and the
# cost above the exchange's own 650 ms (550 ms to the outcome + 100 ms pause).
# Usage: scripts/bench-cli.sh [rounds]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-20}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target ternu-cli ternu-emulator >/dev/null

home="$(mktemp -d)"
export XDG_CONFIG_HOME="$home"
build/bin/ternu-emulator --com 40 >"$home/emulator.log" 2>&1 &
emulator=$!
trap 'kill "$emulator" 2>/dev/null; wait "$emulator" 2>/dev/null; rm -rf "$home"' EXIT
for _ in $(seq 100); do
  grep -q "waiting for frames" "$home/emulator.log" && break
  sleep 0.05
done
printf '[DEVICE]\r\nSettings_TERNU=0000000000000852080000B00000968200001400022A01\r\n' >"$home/fleet.dat"

times=()
for _ in $(seq "$rounds"); do
  start=$(date +%s%N)
  build/bin/ternu-cli send "$home/fleet.dat" >/dev/null
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
done
printf '%s\n' "${times[@]}" | sort -n | awk -v floor=650 '
  { t[NR] = $1 }
  END {
    median = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "ternu-cli send, process start to exit, %d runs\n", NR
    printf "  min %d ms, median %d ms, max %d ms\n", t[1], median, t[NR]
    printf "  above the 650 ms exchange: median %d ms (target at most 150 ms)\n", median - floor
  }'
