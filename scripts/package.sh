#!/usr/bin/env bash
# Builds the Debian package ternu-setup from this source tree into build-deb/ and
# prints the path of the .deb as its last line.
# The tree is copied to build-deb/ first, so that the build leaves nothing in it
# and the package files land in build-deb/ (they are written beside the tree).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh debhelper dpkg-dev fakeroot lintian desktop-file-utils appstream

version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -q DEB_HOST_ARCH)
tree=build-deb/ternu-setup-${version%-*}

rm -rf build-deb
mkdir -p "$tree"
tar --exclude-vcs --exclude='./build*' --exclude=./out --exclude=./.cache -cf - . \
  | tar -xf - -C "$tree"
(cd "$tree" && dpkg-buildpackage -us -uc -b -jauto)

deb=build-deb/ternu-setup_${version}_${arch}.deb
test -f "$deb"
echo "$deb"
