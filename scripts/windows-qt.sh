#!/usr/bin/env bash
# Builds Qt for Windows (static, MinGW-w64) from Debian's own qt6-base source, once,
# into a cache outside the repository. Prints the installed Qt's folder last.
# Called by scripts/windows.sh; safe to run again: a finished build is reused.
set -euo pipefail
cd "$(dirname "$0")/.."

CACHE=${TORAVI_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/toravi-windows}
QT_PREFIX=$CACHE/qt6-mingw-static

if [ -x "$QT_PREFIX/bin/qt-cmake" ] && [ -f "$QT_PREFIX/.toravi-complete" ]; then
  echo "$QT_PREFIX"
  exit 0
fi
mkdir -p "$CACHE"

source scripts/packages.sh
srcdir=$(ls -d "$CACHE"/src/qt6-base-*/ 2>/dev/null | head -n 1 || true)
if [ -z "$srcdir" ]; then
  echo "== Source de Qt (paquet source Debian qt6-base)" >&2
  rm -rf "$CACHE/src"
  # The same Qt version as the host tools that the cross build uses.
  srcdir=$(debian_source qt6-base "$(dpkg-query -W -f='${source:Version}' qt6-base-dev)" "$CACHE/src")
fi

mingw_toolchain "$CACHE/mingw-toolchain.cmake"

echo "== Construction de Qt pour Windows (longue, une seule fois) dans $CACHE" >&2
build=$CACHE/qt-build
rm -rf "$QT_PREFIX"
# A build cut short (a session's end, a reboot) goes on where it stopped.
[ -f "$build/build.ninja" ] || rm -rf "$build"
# Debian dropped the wintab sources (tablet events); OpenGL stays on, the Windows
# platform plugin needs it to compile. Only Core, Gui, Widgets and Test are used.
cmake -S "$srcdir" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$CACHE/mingw-toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
  -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_static_runtime=ON >&2
nice cmake --build "$build" -j "$(nproc)" >&2
cmake --install "$build" >&2
touch "$QT_PREFIX/.toravi-complete"
rm -rf "$build"
echo "$QT_PREFIX"
