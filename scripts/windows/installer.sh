#!/usr/bin/env bash
# Builds the Windows setup program build-win/ternu-setup-<version>-win64-setup.exe
# with Debian's NSIS (64-bit stubs) from the cross build, and prints its path as
# the last line. Beside the programs it installs the tool's licence (from
# debian/copyright) and the notices of what comes from others, with the copyright
# files of the Debian packages those files come from. What the setup program takes
# besides build-win/bin is put together in build-win/installer/.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh nsis

build_log=$(mktemp)
trap 'rm -f "$build_log"' EXIT
bash scripts/windows/build.sh | tee "$build_log" >&2
bin=$(tail -n 1 "$build_log")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
major=${version%%.*}
minor=$((10#${version#*.}))
icon=$PWD/build-win/ternu-setup.ico
test -f "$bin/ternu-setup.exe" && test -f "$icon"

stage=$PWD/build-win/installer
rm -rf "$stage"
mkdir -p "$stage/Notices"
crlf() { sed 's/\r*$/\r/' "$@"; }  # text files as Windows editors expect them

# The tool's licence, as debian/copyright states it for the tool's own files.
paragraph_value() {  # the value of FIELD in the "Files: *" paragraph
  awk -v field="$1" '/^Files: \*$/ { inside = 1; next } /^$/ { inside = 0 }
    inside && index($0, field ": ") == 1 { print substr($0, length(field) + 3); exit }' debian/copyright
}
# Its text is the paragraph of its own that starts with that "License:" line.
licence_text=$(awk -v name="$(paragraph_value License)" '
  previous == "" && $0 == "License: " name { inside = 1 }
  { previous = $0 }
  inside && /^ / { line = substr($0, 2); print (line == "." ? "" : line) }
  inside && NF == 0 { exit }' debian/copyright)
[ -n "$licence_text" ] || { echo "debian/copyright states no licence for Files: *" >&2; exit 1; }
{
  echo "Ternu Setup Tool"
  echo "Copyright $(paragraph_value Copyright)"
  echo
  echo "$licence_text"
  echo
  echo "The tool comes with libraries of others under their own licences: see"
  echo "THIRD-PARTY-NOTICES.txt in the installation folder."
} | crlf >"$stage/Licence.txt"

# What comes from others: the versions of the Debian packages the files come from.
package_field() { dpkg-query -W -f="\${$2}" "$1"; }
url_version() { printf '%s' "$1" | sed 's/+/%2B/g'; }
gcc_source=$(package_field gcc-mingw-w64-x86-64-posix-runtime source:Version)
mingw_version=$(package_field mingw-w64-x86-64-dev Version)
translations_source=$(package_field qt6-translations-l10n source:Version)
# The runtime is built from Debian's GCC source: "gcc-12 (= 12.2.0-14+deb12u1)".
gcc_built_using=$(package_field gcc-mingw-w64-x86-64-posix-runtime Built-Using)
gcc_package=${gcc_built_using%% *}
gcc_version=$(printf '%s' "$gcc_built_using" | sed -n 's/^[^ ]* (= \(.*\))$/\1/p')
sed -e "s|@VERSION@|$version|" \
    -e "s|@QT_TRANSLATIONS_VERSION@|$(package_field qt6-translations-l10n Version)|" \
    -e "s|@QT_TRANSLATIONS_SOURCE_URL_VERSION@|$(url_version "$translations_source")|" \
    -e "s|@GCC_RUNTIME_VERSION@|$(package_field gcc-mingw-w64-x86-64-posix-runtime Version)|" \
    -e "s|@GCC_SOURCE_VERSION@|$gcc_source|" \
    -e "s|@GCC_PACKAGE@|$gcc_package|" \
    -e "s|@GCC_VERSION@|$gcc_version|" \
    -e "s|@GCC_URL_VERSION@|$(url_version "$gcc_version")|" \
    -e "s|@GCC_SOURCE_URL_VERSION@|$(url_version "$gcc_source")|" \
    -e "s|@MINGW_VERSION@|$mingw_version|" \
    -e "s|@MINGW_SOURCE_URL_VERSION@|$(url_version "$(package_field mingw-w64-x86-64-dev source:Version)")|" \
    dist/windows/THIRD-PARTY-NOTICES.txt.in | crlf >"$stage/THIRD-PARTY-NOTICES.txt"
if grep '@[A-Z_]*@' "$stage/THIRD-PARTY-NOTICES.txt" >&2; then
  echo "THIRD-PARTY-NOTICES.txt: a value is missing" >&2; exit 1
fi
crlf /usr/share/doc/libqt6core6/copyright >"$stage/Notices/qt6-base-copyright.txt"
crlf /usr/share/doc/qt6-translations-l10n/copyright >"$stage/Notices/qt6-translations-copyright.txt"
crlf /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright >"$stage/Notices/gcc-mingw-w64-copyright.txt"
crlf /usr/share/doc/mingw-w64-x86-64-dev/copyright >"$stage/Notices/mingw-w64-copyright.txt"
crlf /usr/share/common-licenses/LGPL-3 >"$stage/Notices/LGPL-3.txt"
crlf /usr/share/common-licenses/GPL-3 >"$stage/Notices/GPL-3.txt"

# Debian's MinGW runtime DLLs carry their debugging information (libstdc++ 23 MB
# of its 24): installed without it.
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  x86_64-w64-mingw32-strip --strip-debug -o "$stage/$dll" "$bin/$dll"
done

setup=$PWD/build-win/ternu-setup-$version-win64-setup.exe
rm -f "$setup"
makensis -WX -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DVERSION_NUMBERS="$major.$minor.0.0" \
  -DBIN="$bin" -DSTAGE="$stage" -DICON="$icon" -DOUTFILE="$setup" \
  dist/windows/ternu-setup.nsi >&2
test -f "$setup"
echo "$setup"
