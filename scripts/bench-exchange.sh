#!/usr/bin/env bash
# Reports how far the end of a device exchange (the port closing) lies from its
# scheduled 550 ms, over repeated settings transfers to an emulated device.
# Usage: scripts/bench-exchange.sh [rounds]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target bench_exchange
build/bin/bench_exchange "${1:-20}"
