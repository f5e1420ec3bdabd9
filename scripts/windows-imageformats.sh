#!/usr/bin/env bash
# Builds Qt's WebP and TIFF readers for Windows (static, MinGW-w64) from Debian's own
# qt6-imageformats source package, with the libwebp and libtiff it carries, once, and
# installs them into the Windows Qt given as argument (built by scripts/windows-qt.sh),
# where its qt-cmake finds them. Its sources, build and completion marker live in their
# own folder of the Windows cache; a finished Qt is never removed or rebuilt.
# Called by scripts/windows.sh; safe to run again: a finished build is reused.
set -euo pipefail
cd "$(dirname "$0")/.."

QT_PREFIX=$1
CACHE=${TORAVI_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/toravi-windows}
HERE=$CACHE/qt6-imageformats-mingw

[ -f "$QT_PREFIX/.toravi-complete" ] || { echo "Qt pour Windows n'est pas prêt dans $QT_PREFIX" >&2; exit 1; }
# Done, unless the Qt they went into was built again since.
if [ -f "$HERE/.toravi-complete" ] && [ -f "$QT_PREFIX/lib/cmake/Qt6Gui/Qt6QWebpPluginConfig.cmake" ] &&
   [ -f "$QT_PREFIX/lib/cmake/Qt6Gui/Qt6QTiffPluginConfig.cmake" ]; then
  exit 0
fi

source scripts/packages.sh
# The Linux readers too: their version is the source's, and the Linux program the Windows one is compared with uses them.
install_missing qt6-image-formats-plugins cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix >&2

echo "== Lecteurs WebP et TIFF de Qt pour Windows (paquet source Debian qt6-imageformats)" >&2
rm -rf "$HERE"
srcdir=$(debian_source qt6-imageformats "$(dpkg-query -W -f='${source:Version}' qt6-image-formats-plugins)" "$HERE/src")

# libwebp and libtiff from the source's own 3rdparty folder, as Windows has neither.
"$QT_PREFIX/bin/qt-cmake" -S "$srcdir" -B "$HERE/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DFEATURE_system_webp=OFF -DFEATURE_system_tiff=OFF -DFEATURE_jasper=OFF -DFEATURE_mng=OFF >&2
nice cmake --build "$HERE/build" -j "$(nproc)" >&2
cmake --install "$HERE/build" >&2
rm -rf "$HERE/build" "$HERE/src"
touch "$HERE/.toravi-complete"
