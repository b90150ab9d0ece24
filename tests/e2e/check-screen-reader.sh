#!/usr/bin/env bash
# What a blind user hears: the window under Xvfb with the screen reader Orca on the
# accessibility bus, Tab pressed through the whole window in German and then in
# English, and Orca's own record of what it spoke checked step by step
# (screen-reader-walk.py). Installs Orca and xdotool first.
# Usage: tests/e2e/check-screen-reader.sh [PROGRAM [RECORD_FOLDER]]
#   PROGRAM        the window program (default: build/bin/ternu-setup)
#   RECORD_FOLDER  keeps Orca's record and the spoken lines (default: a temporary folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$(realpath "${1:-$root/build/bin/ternu-setup}")
record=${2:-}
bash "$root/scripts/install-deps.sh" orca xdotool

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$record" ]; then record=$work/record; fi
mkdir -p "$record"
record=$(realpath "$record")
mkdir -p "$work/home"
mkdir -m 700 "$work/runtime"

# A display and a session bus of its own; the accessibility bus is started on it.
env -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS \
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
  XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime" \
  xvfb-run -a -s "-screen 0 1024x768x24" \
  dbus-run-session -- python3 "$here/screen-reader-walk.py" "$program" "$record"
