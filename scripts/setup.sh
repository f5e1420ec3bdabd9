#!/usr/bin/env bash
# Installs what building, running and testing Toravi need on Debian 12, then
# configures and builds. Safe to run again: it installs only what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
PACKAGES=(cmake g++ make dpkg-dev pkg-config qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
          libzip-dev libopencv-imgproc-dev libopencv-photo-dev chromium firefox-esr webkit2gtk-driver fonts-dejavu-core xvfb xauth python3 libxml2-utils unzip)
# Node.js may come from elsewhere than Debian (with its own npm): only a missing one is installed.
command -v node >/dev/null && command -v npm >/dev/null || PACKAGES+=(nodejs npm)
PACKAGES+=(${EXTRA_PACKAGES:-})

source scripts/packages.sh
install_missing "${PACKAGES[@]}"

# The browser tests drive Debian's Chromium through playwright-core and its Firefox
# through puppeteer-core (no browser download); WebKit needs no npm module.
if [ ! -d tests/browser/node_modules/puppeteer-core ] || [ tests/browser/package-lock.json -nt tests/browser/node_modules/.package-lock.json ]; then
  echo "== Modules npm des tests de navigateur"
  (cd tests/browser && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund)
fi

[ "${1:-}" = "--no-build" ] && exit 0

echo "== Construction"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
