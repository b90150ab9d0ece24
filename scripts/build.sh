#!/usr/bin/env bash
# Configures and builds the tool, its emulator and its tests in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Quiet when the configuration succeeds; its whole output when it fails.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$log" 2>&1; then
    cat "$log" >&2
    echo "build.sh: configuring failed" >&2
    exit 1
fi
cmake --build build -j"$(nproc)"
