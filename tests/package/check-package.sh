#!/usr/bin/env bash
# Checks a built ternu-setup package: its contents against the list of what it
# must install, the desktop entry and the AppStream metainfo with their validators,
# that both name the same application and an icon the package has, and lintian.
# Usage: tests/package/check-package.sh build-deb/ternu-setup_<version>_<arch>.deb
set -euo pipefail
deb=${1:?usage: check-package.sh PACKAGE.deb}
id=com.orvan.TernuSetupTool
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expected=(
  /usr/bin/ternu-setup
  /usr/bin/ternu-cli
  /usr/bin/ternu-emulator
  /usr/lib/ternu-setup/ternu-setup
  /usr/lib/ternu-setup/ternu-cli
  /usr/lib/ternu-setup/ternu-emulator
  /usr/lib/ternu-setup/Lang/Dutch.sil
  /usr/lib/ternu-setup/Lang/French.sil
  /usr/lib/ternu-setup/Lang/German.sil
  /usr/lib/ternu-setup/Lang/Italian.sil
  /usr/lib/ternu-setup/Lang/Spanish.sil
  /usr/lib/udev/rules.d/60-ternu-pclink.rules
  /usr/share/applications/$id.desktop
  /usr/share/metainfo/$id.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/$id.svg
  /usr/share/icons/hicolor/16x16/apps/$id.png
  /usr/share/icons/hicolor/24x24/apps/$id.png
  /usr/share/icons/hicolor/32x32/apps/$id.png
  /usr/share/icons/hicolor/48x48/apps/$id.png
  /usr/share/icons/hicolor/64x64/apps/$id.png
  /usr/share/icons/hicolor/128x128/apps/$id.png
  /usr/share/icons/hicolor/256x256/apps/$id.png
  /usr/share/man/man1/ternu-setup.1.gz
  /usr/share/man/man1/ternu-cli.1.gz
  /usr/share/man/man1/ternu-emulator.1.gz
  /usr/share/doc/ternu-setup/copyright
  /usr/share/doc/ternu-setup/changelog.Debian.gz
  /usr/share/lintian/overrides/ternu-setup
)

# Files and links of the package ("./usr/bin/x -> target" loses its target).
listing=$(dpkg-deb -c "$deb")
actual=$(awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' <<<"$listing" | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
while read -r path; do fail "missing from the package: $path"; done \
  < <(comm -13 <(echo "$actual") <(echo "$wanted"))
while read -r path; do fail "not expected in the package: $path"; done \
  < <(comm -23 <(echo "$actual") <(echo "$wanted"))

# The commands on the PATH are relative links to the programs beside Lang/.
for program in ternu-setup ternu-cli ternu-emulator; do
  grep -qF -- "./usr/bin/$program -> ../lib/ternu-setup/$program" <<<"$listing" \
    || fail "/usr/bin/$program is not a link to ../lib/ternu-setup/$program"
done

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
desktop=$tree/usr/share/applications/$id.desktop
metainfo=$tree/usr/share/metainfo/$id.metainfo.xml

desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "metainfo does not validate"

icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$tree/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] \
  || fail "desktop entry names the icon '$icon', which the package lacks"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "metainfo does not launch $id.desktop"
grep -qF '<modalias>usb:v10C4pEA60d*</modalias>' "$metainfo" \
  || fail "metainfo does not provide the PC-link interface's modalias"

lintian --fail-on error "$deb" || fail "lintian reports errors"

if [ "$failures" -gt 0 ]; then
  echo "$failures package check(s) failed"
  exit 1
fi
echo "package checks passed"
