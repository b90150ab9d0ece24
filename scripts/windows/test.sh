#!/usr/bin/env bash
# Builds the tool and ternu-cli for Windows and tests them under Wine, in a Wine
# prefix of their own inside build-win/:
#   1. the cross-built unit tests (settings, persist, i18n, detect with the registry
#      layer, link with the exchange) and the window's tests;
#   2. ternu-cli.exe against the Linux device emulator, whose pseudo-terminal is
#      Wine's COM7 (with the PC-link interface's USB record), and a silent one as
#      COM8: the same frames on the line and the same exit codes as the Linux build;
#   3. ternu-setup.exe on Xvfb stores the same settings text as the Linux build.
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD

bash scripts/install-deps.sh wine64 xvfb xauth xdotool fonts-wine
bash scripts/build.sh >/dev/null              # the emulator, and the Linux programs to compare with
bash scripts/windows/build.sh

bin=$top/build-win/bin
export WINEPREFIX=$top/build-win/wineprefix
. scripts/windows/wine-lib.sh

# --- A display, a fresh prefix, the emulators as Wine's COM ports -------------------
start_display_and_prefix
start_emulator 7
start_emulator 8 --silent --no-usb-id
register_interface 7
register_tahoma
restart_wineserver
"$wine" reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' | tr -d '\r' >"$work/serialcomm.txt"
grep -q 'COM7$' "$work/serialcomm.txt" && grep -q 'COM8$' "$work/serialcomm.txt" || {
  echo "Wine lists no COM7 and COM8:" >&2; cat "$work/serialcomm.txt" >&2; exit 1; }

# --- 1. The cross-built tests ------------------------------------------------------
export TERNU_TEST_PORT=COM7 TERNU_TEST_SILENT_PORT=COM8
for suite in settings_tests persist_tests i18n_tests ternu_detect_tests link_tests window_wine_tests; do
  check "$suite" "$wine" "$bin/$suite.exe" --gtest_brief=1
done

# --- 2. ternu-cli.exe against the emulator -----------------------------------------
received() {  # the frames an emulator received, without the time
  grep -a ' received ' "$1" | sed 's/^[0-9:.]*  //' || true
}
frames_after() {  # frames_after COUNT: until the emulator on COM7 has logged that many frames
  local count=$1
  wait_for 50 test "$(received "$work/com7.log" | wc -l)" -ge "$count" || true
}
run_pair() {  # run_pair WHAT EXPECTED_EXIT FRAMES LINUX_COMMAND -- WINDOWS_COMMAND: one after the other
  local what=$1 expected=$2 frames=$3; shift 3
  local linux=() windows=() before middle linux_exit=0 windows_exit=0
  while [ "$1" != -- ]; do linux+=("$1"); shift; done
  shift
  windows=("$@")
  before=$(received "$work/com7.log" | wc -l)
  "${linux[@]}" >"$work/linux.out" 2>&1 || linux_exit=$?
  frames_after $((before + frames))
  middle=$(received "$work/com7.log" | wc -l)
  "${windows[@]}" >"$work/windows.out" 2>&1 || windows_exit=$?
  frames_after $((middle + frames))
  received "$work/com7.log" | sed -n "$((before + 1)),${middle}p" >"$work/linux.frames"
  received "$work/com7.log" | sed -n "$((middle + 1)),\$p" >"$work/windows.frames"
  check "ternu-cli $what: exit $expected on Linux" test "$linux_exit" -eq "$expected"
  check "ternu-cli $what: exit $expected on Windows" test "$windows_exit" -eq "$expected"
}
run_both() {  # run_both WHAT EXPECTED_EXIT FRAMES ARGS...: the same arguments on both
  local what=$1 expected=$2 frames=$3; shift 3
  run_pair "$what" "$expected" "$frames" build/bin/ternu-cli "$@" -- "$wine" "$bin/ternu-cli.exe" "$@"
}
same_frames() {  # the clock bytes of a settings frame are each program's moment
  local mask='s/^\(received settings (30 bytes): \([0-9A-F][0-9A-F] \)\{17\}\)\([0-9A-F][0-9A-F] \)\{5\}\(\([0-9A-F][0-9A-F] \)\{7\}\)[0-9A-F][0-9A-F]$/\1__ __ __ __ __ \4__/'
  [ -s "$work/linux.frames" ] && diff <(sed "$mask" "$work/linux.frames") <(sed "$mask" "$work/windows.frames")
}

"$wine" "$bin/ternu-cli.exe" ports | tr -d '\r' >"$work/ports.txt"
check "ternu-cli.exe ports: COM7 is the interface" grep -Eq '^COM7 .*10C4:EA60 0001 +PC-link interface$' "$work/ports.txt"
check "ternu-cli.exe ports: COM8 has no USB identity" grep -Eq '^COM8 +\S+ +-$' "$work/ports.txt"

run_both "ping" 0 2 ping --port COM7   # the ping, and the follow-up after the pong
check "ping: the same frames on the line" same_frames
printf '[DEVICE]\r\nSettings_TERNU=0001F4000000081C083400B1FF9CC86402006430092200\r\n' >"$work/fleet.dat"
cp "$work/fleet.dat" "$WINEPREFIX/drive_c/fleet.dat"
# The same file, by its Windows name for the Windows program.
run_pair "send FILE" 0 1 build/bin/ternu-cli send "$work/fleet.dat" --port COM7 \
  -- "$wine" "$bin/ternu-cli.exe" send 'C:\fleet.dat' --port COM7
check "send FILE: the same frame on the line" same_frames
run_both "clear --yes" 0 1 clear --yes --port COM7
check "clear: the same frames on the line" same_frames
run_both "ping on a silent port" 1 0 ping --port COM8

# watch configures the interface that is there once, and goes on watching.
"$wine" "$bin/ternu-cli.exe" watch 'C:\fleet.dat' >"$work/watch.out" 2>&1 &
watch_pid=$!
pids+=("$watch_pid")
check "ternu-cli.exe watch configures COM7" wait_for 200 grep -aq '^COM7: configured' "$work/watch.out"
kill "$watch_pid" 2>/dev/null || true

# --- 3. The window stores the same settings text as on Linux -----------------------
# Each build starts with the same stored settings, in lower case, and is closed as
# a user would; at the close each writes them anew (in upper case).
seed_ini() {
  mkdir -p "$1"
  printf '[DEVICE]\r\nSettings_TERNU=0001f4000000081c083400b1ff9cc86402006430092200\r\n' >"$1/Ternu_SetupTool.ini"
}
main_window() {  # the first mapped top-level window of that class wider than 100 pixels
  xwininfo -root -tree 2>/dev/null |
    awk -v class="\"$1\"" 'index($0, "(" class) && $0 ~ /[0-9]+x[0-9]+\+/ {
      for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) { split($i, g, "x"); if (g[1] + 0 > 100) { print $1; exit } } }'
}
close_window() {  # close_window PID CLASS HOW...: once the window is there, close it HOW; wait for the end
  local pid=$1 class=$2 window=""
  for _ in $(seq 300); do
    window=$(main_window "$class")
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || return 1
  sleep 1
  "${@:3}" "$window"
  for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
press_ctrl_x() { xdotool windowfocus --sync "$1" key --clearmodifiers ctrl+x; }
# As the window's close button does: WM_CLOSE to the program's windows.
close_message() { "$wine" taskkill /im ternu-setup.exe >/dev/null; }
linux_data=$work/linux-config/Orvan/SetupTool
seed_ini "$linux_data"
XDG_CONFIG_HOME=$work/linux-config QT_QPA_PLATFORM=xcb build/bin/ternu-setup >/dev/null 2>&1 &
check "the Linux window ends on Ctrl+X" close_window $! ternu-setup press_ctrl_x
appdata_win=$("$wine" cmd /c echo %APPDATA% | tr -d '\r')
appdata=$("$wine" winepath.exe -u "$appdata_win" 2>/dev/null | tr -d '\r' || true)
[ -n "$appdata" ] || appdata=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming
windows_data=$appdata/Orvan/SetupTool
rm -f "$windows_data/Ternu_SetupTool.ini"
seed_ini "$windows_data"
"$wine" "$bin/ternu-setup.exe" >/dev/null 2>&1 &
wpid=$!
check "the Windows window ends on WM_CLOSE" close_window $wpid ternu-setup.exe close_message
section() { tr -d '\r' <"$1" | awk '/^\[/{s=$0} s=="[DEVICE]"'; }
check "the stored settings text is the same on both" \
  diff <(section "$linux_data/Ternu_SetupTool.ini") <(section "$windows_data/Ternu_SetupTool.ini")
check "the stored settings text is byte for byte what was loaded" \
  grep -q $'^Settings_TERNU=0001F4000000081C083400B1FF9CC86402006430092200\r$' "$windows_data/Ternu_SetupTool.ini"

summary
