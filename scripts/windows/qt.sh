#!/usr/bin/env bash
# Provides Qt 6.4.2 for 64-bit Windows (qtbase, built with MinGW-w64 from Debian's
# own qt6-base source) in a cache folder outside the tree and prints that folder.
# The ready build in ../shared/toolchains/ is unpacked when it is there; otherwise
# Qt is built from Debian's source with the same configure line (about an hour on
# two cores).
#   TERNU_WIN_CACHE  the cache folder (default ~/.cache/ternu-setup-win)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
cache=${TERNU_WIN_CACHE:-$HOME/.cache/ternu-setup-win}
qt="$cache/qt6-mingw"
pack_name=qt6-base-6.4.2-mingw64.tar.xz
shared="$top/../shared/toolchains"

mkdir -p "$cache"
if [ -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "$qt"
  exit 0
fi

if [ -f "$shared/$pack_name" ]; then
  echo "Unpacking $shared/$pack_name" >&2
  if [ -f "$shared/SHA256SUMS" ]; then
    (cd "$shared" && grep " $pack_name\$" SHA256SUMS | sha256sum -c --quiet -) >&2
  fi
  rm -rf "$qt.partial" && mkdir -p "$qt.partial"
  tar -C "$qt.partial" -xJf "$shared/$pack_name"
  rm -rf "$qt" && mv "$qt.partial/qt6-mingw" "$qt" && rmdir "$qt.partial"
  echo "$qt"
  exit 0
fi

# No ready build: make it from Debian's qt6-base source.
echo "Building Qt for Windows from Debian's qt6-base source (about an hour)" >&2
work="$cache/qt-build"
bash "$here/build-qt.sh" "$work" "$qt" >&2
echo "$qt"
