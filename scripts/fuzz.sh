#!/usr/bin/env bash
# Fuzzes every parser: builds the targets of tests/fuzz (clang, libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) into build-fuzz/ and runs each
# for SECONDS (default 60) on its seed corpus, with limits on the time per input
# and on memory. A crash, hang, leak or failed check is a finding: the input is
# kept in build-fuzz/findings/, the way to replay it is printed, and the run
# ends with an error once every target has had its turn.
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

bash scripts/install-deps.sh clang libclang-rt-14-dev  # libclang-rt holds libFuzzer

CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTERNU_BUILD_FUZZ=ON -DTERNU_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target ternu_fuzz

findings=build-fuzz/findings
mkdir -p "$findings"
failed=()
for source in tests/fuzz/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  corpus=build-fuzz/corpus/$name  # grows from run to run; the seeds stay as committed
  log=build-fuzz/$name.log
  mkdir -p "$corpus"
  rm -f "$findings/$name"-*
  echo "== $name: $seconds s"
  if build-fuzz/fuzz/"$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -malloc_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$findings/$name-" \
      "$corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    grep -E '^#[0-9]+ +DONE' "$log" || true
    grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
  else
    tail -n 40 "$log"
    echo "FINDING in $name (log: $log)"
    for input in "$findings/$name"-*; do
      [ -e "$input" ] && echo "  replay: build-fuzz/fuzz/$name $input"
    done
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]}"
  exit 1
fi
echo "No findings."
