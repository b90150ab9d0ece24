#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Test and their plugins) for 64-bit
# Windows with Debian's MinGW-w64 cross compiler from Debian's own qt6-base source
# package, and installs it into PREFIX. The host tools (moc, rcc, uic) are Debian's
# qt6-base-dev-tools of the same version. About an hour on two cores.
#   build-qt.sh WORKDIR PREFIX
set -euo pipefail
work=$1
prefix=$2
here=$(cd "$(dirname "$0")" && pwd)
export DEBIAN_FRONTEND=noninteractive
bash "$here/../install-deps.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
  qt6-base-dev-tools ninja-build cmake xz-utils dpkg-dev
# The source package needs a deb-src entry.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    > /etc/apt/sources.list.d/debian-src.sources
  apt-get update -qq
fi
mkdir -p "$work" && cd "$work"
if [ ! -d qtbase-everywhere-src-6.4.2 ]; then
  apt-get source --download-only qt6-base=6.4.2+dfsg-10
  tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
fi
mkdir -p build && cd build
cmake -G Ninja ../qtbase-everywhere-src-6.4.2 \
  -DCMAKE_TOOLCHAIN_FILE="$here/../../cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_tabletevent=OFF   # Debian's source has no wintab.h
ninja -j"$(nproc)"
rm -rf "$prefix" && ninja install >/dev/null
x86_64-w64-mingw32-strip --strip-unneeded "$prefix"/bin/*.dll "$prefix"/plugins/*/*.dll
