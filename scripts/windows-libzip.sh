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
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ -f "$HERE/.toravi-complete" ]; then
  echo "$PREFIX"
  exit 0
fi

source scripts/packages.sh
install_missing libz-mingw-w64-dev cmake ninja-build g++-mingw-w64-x86-64-posix dpkg-dev >&2

# apt-get source needs a deb-src entry for the suites this machine already uses.
if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
  src=/etc/apt/sources.list.d/toravi-deb-src.sources
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $SUDO tee "$src" >/dev/null
  else
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee /etc/apt/sources.list.d/toravi-deb-src.list >/dev/null
  fi
  $SUDO apt-get update -q >&2
fi

echo "== libzip pour Windows (paquet source Debian libzip, zlib MinGW de Debian)" >&2
rm -rf "$HERE"
mkdir -p "$HERE/src"
# The same libzip as the Linux build's.
version=$(dpkg-query -W -f='${source:Version}' libzip-dev 2>/dev/null || true)
(cd "$HERE/src" && apt-get source -q "libzip${version:+=$version}" >&2)
srcdir=$(ls -d "$HERE"/src/libzip-*/ | head -n 1)

cat > "$HERE/mingw-toolchain.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

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
