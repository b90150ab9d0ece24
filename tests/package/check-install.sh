#!/usr/bin/env bash
# Installs a built ternu-setup package on this machine with apt, checks that the
# installed programs work from the PATH and that the window finds its language
# files and the user's stored language, then purges the package and checks that
# nothing of it is left behind. Needs root; refuses when the package is already
# installed, so that it never removes a user's own installation.
# Usage: tests/package/check-install.sh build-deb/ternu-setup_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "${1:?usage: check-install.sh PACKAGE.deb}")
if [ "$(id -u)" -ne 0 ]; then echo "check-install.sh: needs root" >&2; exit 2; fi
if dpkg-query -W -f='${Status}' ternu-setup 2>/dev/null | grep -q "ok installed"; then
  echo "check-install.sh: ternu-setup is installed already; not touching it" >&2
  exit 2
fi
bash "$(dirname "$0")/../../scripts/install-deps.sh" strace

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -qq "$@"; }

work=$(mktemp -d)
chmod 755 "$work"
installed=
cleanup() {
  [ -n "$installed" ] && apt_get purge ternu-setup >/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

apt_get install "$deb" >/dev/null
installed=yes

for program in ternu-setup ternu-cli ternu-emulator; do
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not on the PATH"
done
ternu-emulator --help >/dev/null || fail "ternu-emulator --help does not run"

# The window runs as an ordinary user with a home folder of its own, traced for the
# files it opens; it is ended once the files named are open or after 20 s.
# Usage: run_window HOME LANGUAGE...   (true when every Lang/<LANGUAGE>.sil was opened)
run_window() {
  local home=$1 trace=$work/trace
  shift
  chown -R 65534:65534 "$home"
  rm -f "$trace"
  strace -f -e trace=openat -o "$trace" \
    env HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
    setpriv --reuid=65534 --regid=65534 --clear-groups /usr/bin/ternu-setup \
    >"$work/window.log" 2>&1 &
  local tracer=$! all language
  for _ in $(seq 100); do
    all=yes
    for language in "$@"; do
      grep -qE "openat\(.*\"/usr/lib/ternu-setup/Lang/$language\.sil\".*= [0-9]+$" \
        "$trace" 2>/dev/null || all=
    done
    [ -n "$all" ] && break
    sleep 0.2
  done
  # strace holds off signals for a program it started: end the window itself.
  local window
  window=$(awk '{ print $1; exit }' "$trace" 2>/dev/null || true)
  [ -n "$window" ] && kill "$window" 2>/dev/null
  wait "$tracer" 2>/dev/null || true
  [ -n "$all" ]
}

# A first start finds the start-up language file in Lang/ beside the program and
# makes the per-user data folder.
mkdir -p "$work/first"
run_window "$work/first" German || fail "the installed window did not open Lang/German.sil"
[ -d "$work/first/.config/Orvan/SetupTool" ] \
  || fail "the installed window made no per-user data folder"

# A start with French stored opens the French language file.
mkdir -p "$work/french/.config/Orvan/SetupTool"
printf '[MISC]\r\nLanguage=French\r\n' > "$work/french/.config/Orvan/SetupTool/Ternu_SetupTool.ini"
run_window "$work/french" German French \
  || fail "the installed window did not open the stored language, Lang/French.sil"

# Purging leaves nothing of the package: no file, no folder of its own (folders
# that other packages own too stay), no configuration and no record in dpkg.
paths=$(dpkg -L ternu-setup | grep -vx '/\.')
apt_get purge ternu-setup >/dev/null
installed=
while read -r path; do
  if { [ -e "$path" ] || [ -L "$path" ]; } && ! dpkg -S "$path" >/dev/null 2>&1; then
    fail "left behind after purge: $path"
  fi
done <<<"$paths"
ls /var/lib/dpkg/info/ternu-setup.* >/dev/null 2>&1 && fail "dpkg still records ternu-setup"
[ -e /etc/ternu-setup ] && fail "left behind after purge: /etc/ternu-setup"

if [ "$failures" -gt 0 ]; then
  echo "$failures install check(s) failed"
  exit 1
fi
echo "install checks passed"
