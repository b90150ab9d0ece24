#!/usr/bin/env bash
# Installs the Windows setup program silently in a fresh Wine prefix, tries what it
# installed and removes it silently again:
#   - the installed files are exactly the expected ones, the uninstall key holds its
#     values, the Start menu has the tool's entry;
#   - the installed ternu-cli.exe tells its version; the installed window (on Xvfb)
#     shows German captions from the installed Lang\German.sil and finds the device
#     emulator's line as COM7 by itself (a click on the photo pings it there);
#   - after removal nothing of it is left in Program Files, the Start menu or the
#     registry, and the user's data folder %APPDATA%\Orvan\SetupTool is untouched.
# Usage: tests/windows/check-installer.sh [build-win/ternu-setup-1.05-win64-setup.exe]
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
setup=$(realpath "${1:-build-win/ternu-setup-1.05-win64-setup.exe}")
test -f "$setup"

bash scripts/install-deps.sh wine64 xvfb xauth xdotool x11-utils fonts-wine inotify-tools
# The device emulator of the Linux build.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target ternu-emulator -j"$(nproc)" >/dev/null

export WINEPREFIX=$top/build-win/wineprefix-setup
. scripts/windows/wine-lib.sh

# --- A display, a fresh prefix, the emulator as COM7 ---------------------------------
start_display_and_prefix
start_emulator 7
register_interface 7
register_tahoma
restart_wineserver

# The user's data folder, with a settings file of theirs, before the tool is installed.
appdata=$("$wine" winepath.exe -u "$("$wine" cmd /c echo %APPDATA% | tr -d '\r')" | tr -d '\r')
data=$appdata/Orvan/SetupTool
mkdir -p "$data"
printf '[DEVICE]\r\nSettings_TERNU=0001F4000000081C083400B1FF9CC86402006430092200\r\n' >"$data/fleet.dat"
cp "$data/fleet.dat" "$work/fleet.dat"

# --- Silent installation -------------------------------------------------------------
folder="$WINEPREFIX/drive_c/Program Files/Orvan/Ternu Setup Tool"
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
check "the setup program installs silently (/S)" "$wine" "$setup" /S

expected_files() {
  cat <<'EOF'
Lang/Dutch.sil
Lang/French.sil
Lang/German.sil
Lang/Italian.sil
Lang/Spanish.sil
Licence.txt
Notices/GPL-3.txt
Notices/LGPL-3.txt
Notices/gcc-mingw-w64-copyright.txt
Notices/mingw-w64-copyright.txt
Notices/qt6-base-copyright.txt
Notices/qt6-translations-copyright.txt
Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
THIRD-PARTY-NOTICES.txt
imageformats/qjpeg.dll
libgcc_s_seh-1.dll
libstdc++-6.dll
libwinpthread-1.dll
platforms/qwindows.dll
qt.conf
styles/qwindowsvistastyle.dll
ternu-cli.exe
ternu-setup.exe
translations/qtbase_de.qm
translations/qtbase_es.qm
translations/qtbase_fr.qm
translations/qtbase_it.qm
translations/qtbase_nl.qm
uninstall.exe
EOF
}
installed_files() { (cd "$folder" && find . -mindepth 1 -printf '%P%y\n' | sed -n 's/f$//p' | LC_ALL=C sort); }
check "the installed files are the expected ones" \
  diff <(expected_files | LC_ALL=C sort) <(installed_files)
echo "Installed in C:\\Program Files\\Orvan\\Ternu Setup Tool (bytes):"
(cd "$folder" && find . -type f -printf '%10s  %P\n' | LC_ALL=C sort -k2)
echo "$(stat -c %s "$setup") bytes: $(basename "$setup")"

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TernuSetupTool'
"$wine" reg query "$key" 2>/dev/null | tr -d '\r' >"$work/key.txt" || true
value() {  # the data of a value of the uninstall key
  awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print; exit }' "$work/key.txt"
}
is() { [ "$(value "$1")" = "$2" ] || { echo "  $1: \"$(value "$1")\", expected \"$2\""; return 1; }; }
check "uninstall key: DisplayName" is DisplayName "Ternu Setup Tool"
check "uninstall key: DisplayVersion" is DisplayVersion "1.05"
check "uninstall key: Publisher" is Publisher "Orvan"
check "uninstall key: DisplayIcon" is DisplayIcon 'C:\Program Files\Orvan\Ternu Setup Tool\ternu-setup.exe'
check "uninstall key: InstallLocation" is InstallLocation 'C:\Program Files\Orvan\Ternu Setup Tool'
check "uninstall key: UninstallString" is UninstallString '"C:\Program Files\Orvan\Ternu Setup Tool\uninstall.exe"'
check "uninstall key: QuietUninstallString" \
  is QuietUninstallString '"C:\Program Files\Orvan\Ternu Setup Tool\uninstall.exe" /S'
# EstimatedSize is in KiB: the installed files' size, each file rounded as it may be.
estimated_size_fits() {
  local kib bytes files
  kib=$(($(value EstimatedSize)))
  bytes=$(find "$folder" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
  files=$(find "$folder" -type f | wc -l)
  [ "$kib" -ge $((bytes / 1024 - files)) ] && [ "$kib" -le $((bytes / 1024 + files)) ] ||
    { echo "  EstimatedSize $kib KiB for $bytes bytes"; return 1; }
}
check "uninstall key: EstimatedSize" estimated_size_fits

shortcut="$start_menu/Ternu Setup Tool.lnk"
check "the Start menu has \"Ternu Setup Tool\" for all users" test -f "$shortcut"
check "the Start-menu entry starts the installed ternu-setup.exe" \
  grep -qa 'Orvan\\Ternu Setup Tool\\ternu-setup.exe' "$shortcut"

# --- The installed programs ---------------------------------------------------------------
check "the installed ternu-cli.exe --version" \
  test "$(cd "$work" && "$wine" "$folder/ternu-cli.exe" --version | tr -d '\r')" = "ternu-cli 1.05"

# The tool's main window: visible, of the program's class, its caption with the version.
main_window() {
  local window
  for window in $(xdotool search --onlyvisible --class '^ternu-setup\.exe$' 2>/dev/null); do
    case $(xdotool getwindowname "$window" 2>/dev/null) in
      *" (Vers. 1.05)") echo "$window"; return ;;
    esac
  done
}
has_main_window() { [ -n "$(main_window)" ]; }
ping_answered() { grep -aA1 'received ping (3 bytes): 06 00 06' "$work/com7.log" | grep -qa 'reply: 86 00 86'; }
# Which of the installed language files the window opens: its texts are the same
# as the built-in German ones, so the caption alone cannot tell.
inotifywait -m -e open --format '%e %f' "$folder/Lang" >"$work/lang-opened.txt" 2>"$work/inotify.txt" &
pids+=($!)
watching() { grep -q 'Watches established' "$work/inotify.txt"; }
wait_for 100 watching
# Started from the Start-menu entry, as a user would.
(cd "$work" && "$wine" start "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Ternu Setup Tool.lnk") \
  >/dev/null 2>&1
window=
wait_for 300 has_main_window && window=$(main_window)
check "the installed window shows its main window" test -n "$window"
if [ -n "$window" ]; then
  check "it loaded the installed Lang\\German.sil" grep -qx 'OPEN German.sil' "$work/lang-opened.txt"
  check "its caption is German" \
    test "$(xdotool getwindowname "$window")" = "Ternu Einstellungswerkzeug (Vers. 1.05)"
  # A click on the device photo (at the top of the right column) tests the
  # connection: a ping on the port the window found.
  xdotool mousemove --window "$window" --sync 600 155 click 1 2>/dev/null || true
  check "it found the interface on COM7: a click on the photo pings it there" wait_for 100 ping_answered
fi
"$wine" taskkill /im ternu-setup.exe >/dev/null 2>&1 || true
# Once the tool has ended, no program of this prefix runs any more and Wine ends.
check "the window ends on WM_CLOSE" timeout 60 "$wineserver" -w
check "the window stored its settings in %APPDATA%\\Orvan\\SetupTool" test -f "$data/Ternu_SetupTool.ini"

# --- Silent removal ---------------------------------------------------------------------
quiet=$(value QuietUninstallString)
uninstaller=$(printf '%s' "$quiet" | sed -n 's/^"\(.*\)" \/S$/\1/p')
check "the uninstaller runs silently (/S)" "$wine" "$uninstaller" /S
# The uninstaller hands over to a copy of itself and ends: wait for all of Wine.
"$wineserver" -w
check "nothing is left in Program Files" test ! -e "$WINEPREFIX/drive_c/Program Files/Orvan"
check "the Start-menu entry is gone" test ! -e "$shortcut"
check "the uninstall key is gone" eval '! "$wine" reg query "$key" >/dev/null 2>&1'
"$wineserver" -w
check "the registry names neither the tool nor its maker" \
  eval '! grep -il "ternu\|orvan" "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"'
check "the user's settings file is still there" cmp -s "$work/fleet.dat" "$data/fleet.dat"
check "the tool's stored settings are still there" test -f "$data/Ternu_SetupTool.ini"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
