#!/usr/bin/env bash
# Builds the tool, its emulator and all tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs every test headless.
# Any report fails the run: undefined behaviour aborts at once, memory errors
# abort, and leaks make the program end with an error.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh

# Leaks inside Qt's and fontconfig's own caches are reported at exit; only those
# are suppressed (see the file), never one of ours.
# intercept_tls_get_addr=0: with Debian 12's C library, the leak checker's record of
# the thread-local storage of libraries loaded at run time can hold a bogus range,
# and its tracer then crashes at exit ("Tracer caught signal 11").
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitize-suppressions.txt:print_suppressions=0"

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# -O1 keeps stacks readable and the build short.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ctest --test-dir build-asan --output-on-failure -j2 "$@" 2>&1 | tee "$log"; then
  exit 0
fi
# LeakSanitizer's own tracer now and then crashes while it stops the threads at
# exit ("Tracer caught signal 11 ... LeakSanitizer has encountered a fatal error"),
# a fault of the checker, not of the program. Only when that is all that went
# wrong, the failed tests run once more, and then they must pass; a report of a
# memory error, a leak or undefined behaviour is never run again.
if grep -aq "LeakSanitizer has encountered a fatal error" "$log" \
    && ! grep -aqE "ERROR: (AddressSanitizer|LeakSanitizer: detected)|runtime error:|\[  FAILED  \]|\*\*\*Timeout" "$log"; then
  echo "LeakSanitizer's tracer failed at exit; the failed tests run once more"
  ctest --test-dir build-asan --output-on-failure --rerun-failed
else
  exit 1
fi
