# Sourced by the set-up and Windows build scripts: install_missing PACKAGE... installs
# with apt-get, as root or with sudo, only the Debian packages that are not there yet.
install_missing() {
  local sudo="" missing=() p
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== Installation des paquets manquants : ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

# debian_source PACKAGE VERSION FOLDER: fetches Debian's source package PACKAGE (at
# VERSION unless empty) into FOLDER and prints the unpacked source folder. apt-get
# source needs a deb-src entry for the suites this machine already uses: one is
# added when there is none.
debian_source() {
  local package=$1 version=$2 folder=$3 sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        $sudo tee /etc/apt/sources.list.d/toravi-deb-src.sources >/dev/null
    else
      grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
        $sudo tee /etc/apt/sources.list.d/toravi-deb-src.list >/dev/null
    fi
    $sudo apt-get update -q >&2
  fi
  mkdir -p "$folder"
  (cd "$folder" && apt-get source -q "$package${version:+=$version}" >&2)
  ls -d "$folder/$package"-*/ | head -n 1
}

# mingw_toolchain FILE: the CMake toolchain of the Windows cross build (MinGW-w64, posix threads).
mingw_toolchain() {
  cat > "$1" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
}
