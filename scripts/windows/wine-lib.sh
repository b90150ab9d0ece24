# Shared by the runs under Wine (scripts/windows/test.sh and
# tests/windows/check-installer.sh): Wine's settings, a tally of checks, a display,
# a fresh prefix, and the Linux device emulator made a COM port of Wine.
# Sourced after WINEPREFIX is set; run from the top of the tree.

export WINEDEBUG=-all WINEARCH=win64
# No prompts for Mono or Gecko, no menu entries on the host.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config  # the emulators' port aliases
pids=()

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
passed=0
check() {  # check NAME COMMAND...: runs a check, counts it, goes on after a failure
  local name=$1; shift
  if "$@"; then
    echo "PASS  $name"; passed=$((passed + 1))
  else
    echo "FAIL  $name"; failures=$((failures + 1))
  fi
}
summary() {  # the closing line; fails when a check failed
  echo "$passed passed, $failures failed"
  [ "$failures" -eq 0 ]
}
wait_for() {  # wait_for TENTHS COMMAND...: until COMMAND succeeds, at most TENTHS/10 s
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  "$@"
}
reg() { "$wine" reg "$@" >/dev/null; }

# An X display of its own, and the prefix made anew.
start_display_and_prefix() {
  local display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=$display
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  echo "Making the Wine prefix $WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
}

# start_emulator N [OPTION...]: the emulator on a pseudo-terminal that Wine offers
# as COM<N> after its next start; what it receives is logged in $work/com<N>.log.
start_emulator() {
  local number=$1; shift
  local alias=$XDG_CONFIG_HOME/Orvan/SetupTool/Ports/COM$number
  build/bin/ternu-emulator --com "$number" "$@" >"$work/com$number.log" 2>&1 &
  pids+=($!)
  wait_for 100 test -L "$alias" || { echo "the emulator on COM$number did not start" >&2; exit 1; }
  reg add 'HKLM\Software\Wine\Ports' /v "COM$number" /d "$(readlink "$alias")" /f
}

# What Windows records for the PC-link interface plugged in as COM<N>.
register_interface() {
  reg add 'HKLM\System\CurrentControlSet\Enum\USB\Vid_10C4&Pid_EA60\0001\Device Parameters' \
    /v PortName /d "COM$1" /f
}

# Tahoma is a system font of Windows; Debian's Wine does not offer the one of
# fonts-wine to programs. Registered as Windows has it, the window finds it there,
# whatever folder it is started in.
register_tahoma() {
  local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
  reg add "$fonts" /v 'Tahoma (TrueType)' /d 'Z:\usr\share\wine\fonts\tahoma.ttf' /f
  reg add "$fonts" /v 'Tahoma Bold (TrueType)' /d 'Z:\usr\share\wine\fonts\tahomabd.ttf' /f
}

# Wine makes its COM ports (and SERIALCOMM) when it starts.
restart_wineserver() {
  "$wineserver" -k
  "$wineserver" -w
}
