#!/usr/bin/env bash
# Cross-builds the tool, ternu-cli and their tests for 64-bit Windows in build-win/,
# and puts everything they need to run beside them in build-win/bin/: the Qt and
# MinGW runtime DLLs, the plugins in their folders, qt.conf, Lang\ and the
# toolkit's own translations.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
  qt6-base-dev-tools qt6-translations-l10n googletest xz-utils icoutils
qt=$(bash scripts/windows/qt.sh | tail -n 1)

configure_log=$(mktemp)
if ! cmake -S . -B build-win \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release >"$configure_log" 2>&1; then
  cat "$configure_log" >&2
  exit 1
fi
rm -f "$configure_log"
cmake --build build-win -j"$(nproc)"

bin=build-win/bin
mingw=x86_64-w64-mingw32
# Runtime DLLs: Qt's, and the MinGW runtime the compiler links against.
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6Test; do
  cp -u "$qt/bin/$dll.dll" "$bin/"
done
for dll in libstdc++-6.dll libgcc_s_seh-1.dll; do
  cp -u "$($mingw-g++-posix -print-file-name=$dll)" "$bin/"
done
cp -u "/usr/$mingw/lib/libwinpthread-1.dll" "$bin/"
# Plugins beside the programs, as Qt looks for them in the program's folder.
for plugin in platforms/qwindows styles/qwindowsvistastyle imageformats/qjpeg; do
  mkdir -p "$bin/$(dirname "$plugin")"
  cp -u "$qt/plugins/$plugin.dll" "$bin/$plugin.dll"
done
# The toolkit's own texts (file dialogs, context menus) in the tool's languages.
mkdir -p "$bin/translations"
for lang in de fr it nl es; do
  cp -u "/usr/share/qt6/translations/qtbase_$lang.qm" "$bin/translations/"
done
cp -u dist/windows/qt.conf "$bin/qt.conf"
echo "$PWD/$bin"
