# Sourced by the set-up scripts: install_missing PACKAGE... installs with apt-get,
# as root or with sudo, only the Debian packages that are not there yet.
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
