#!/usr/bin/env bash
# Builds the tool and starts it together with the device emulator, so that the
# tool can be tried without a cycling computer: the emulator registers itself as
# a PC-link interface port, and the tool finds it like a real one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build/bin/ternu-emulator &
emulator=$!
trap 'kill "$emulator" 2>/dev/null || true; wait "$emulator" 2>/dev/null || true' EXIT
sleep 0.5
build/bin/ternu-setup
