#!/usr/bin/env bash
# Builds libzip for Windows (static, MinGW-w64) from Debian's own libzip source
# package, against Debian's MinGW zlib, once, into its own folder of the Windows
# cache. Prints that folder last. Called by scripts/windows.sh; safe to run again:
# a finished build is reused. Never touches the Qt build beside it.
set -euo pipefail
cd "$(dirname "$0")/.."

CACHE=${TORAVI_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/toravi-windows}
HERE=$CACHE/libzip-mingw
PREFIX=$HERE/install

if [ -f "$HERE/.toravi-complete" ]; then
  echo "$PREFIX"
  exit 0
fi

source scripts/packages.sh
install_missing libz-mingw-w64-dev cmake ninja-build g++-mingw-w64-x86-64-posix dpkg-dev >&2

echo "== libzip pour Windows (paquet source Debian libzip, zlib MinGW de Debian)" >&2
rm -rf "$HERE"
# The same libzip as the Linux build's.
srcdir=$(debian_source libzip "$(dpkg-query -W -f='${source:Version}' libzip-dev 2>/dev/null || true)" "$HERE/src")

mingw_toolchain "$HERE/mingw-toolchain.cmake"

# Deflate only: no bzip2, lzma, encryption, tools, tests or documents.
cmake -S "$srcdir" -B "$HERE/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$HERE/mingw-toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF \
  -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF \
  -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
  -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF >&2
nice cmake --build "$HERE/build" -j "$(nproc)" >&2
cmake --install "$HERE/build" >&2
rm -rf "$HERE/build" "$HERE/src"
touch "$HERE/.toravi-complete"
echo "$PREFIX"
