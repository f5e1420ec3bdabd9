#!/usr/bin/env bash
# Builds OpenCV's core, imgproc and photo modules for Windows (static, MinGW-w64)
# from Debian's own opencv source package, against Debian's MinGW zlib, once, into
# its own folder of the Windows cache. Prints the folder of its OpenCVConfig.cmake
# last. Called by scripts/windows.sh; safe to run again: a finished build is reused.
set -euo pipefail
cd "$(dirname "$0")/.."

CACHE=${TORAVI_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/toravi-windows}
HERE=$CACHE/opencv-mingw
PREFIX=$HERE/install

if [ -f "$HERE/.toravi-complete" ]; then
  echo "$PREFIX/lib/cmake/opencv4"
  exit 0
fi

source scripts/packages.sh
install_missing libz-mingw-w64-dev cmake ninja-build g++-mingw-w64-x86-64-posix dpkg-dev >&2

echo "== OpenCV pour Windows (paquet source Debian opencv : core, imgproc, photo)" >&2
# A build cut short (a session's end, a reboot) goes on where it stopped.
srcdir=$(ls -d "$HERE"/src/opencv-*/ 2>/dev/null | head -n 1 || true)
if [ -z "$srcdir" ] || [ ! -f "$HERE/build/build.ninja" ]; then
  rm -rf "$HERE"
  # The same OpenCV as the Linux build's.
  srcdir=$(debian_source opencv "$(dpkg-query -W -f='${source:Version}' libopencv-imgproc-dev 2>/dev/null || true)" "$HERE/src")
fi

mingw_toolchain "$HERE/mingw-toolchain.cmake"

# Only the three modules the cut-out uses: no image codecs, video, GUI, accelerators
# or the third-party libraries Debian removed from its source.
cmake -S "$srcdir" -B "$HERE/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$HERE/mingw-toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF -DBUILD_LIST=core,imgproc,photo \
  -DBUILD_ZLIB=OFF -DBUILD_TESTS=OFF -DBUILD_PERF_TESTS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF \
  -DBUILD_opencv_apps=OFF -DBUILD_JAVA=OFF -DBUILD_opencv_python3=OFF -DBUILD_opencv_python2=OFF \
  -DWITH_IPP=OFF -DWITH_ITT=OFF -DWITH_OPENCL=OFF -DWITH_EIGEN=OFF -DWITH_LAPACK=OFF \
  -DWITH_PROTOBUF=OFF -DWITH_ADE=OFF -DWITH_QUIRC=OFF -DWITH_FFMPEG=OFF -DWITH_GSTREAMER=OFF \
  -DWITH_DSHOW=OFF -DWITH_MSMF=OFF -DWITH_WIN32UI=OFF -DWITH_VTK=OFF -DWITH_1394=OFF \
  -DWITH_JPEG=OFF -DWITH_PNG=OFF -DWITH_TIFF=OFF -DWITH_WEBP=OFF -DWITH_OPENJPEG=OFF \
  -DWITH_JASPER=OFF -DWITH_OPENEXR=OFF -DWITH_IMGCODEC_HDR=OFF -DWITH_IMGCODEC_SUNRASTER=OFF \
  -DWITH_IMGCODEC_PXM=OFF -DWITH_IMGCODEC_PFM=OFF -DOPENCV_GENERATE_PKGCONFIG=OFF >&2
nice cmake --build "$HERE/build" -j "$(nproc)" >&2
cmake --install "$HERE/build" >&2
rm -rf "$HERE/build" "$HERE/src"
touch "$HERE/.toravi-complete"
echo "$PREFIX/lib/cmake/opencv4"
