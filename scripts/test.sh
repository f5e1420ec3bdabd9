#!/usr/bin/env bash
# Sets everything up, builds, and runs every test (unit, window, browser and
# package tests) without a display and without questions; then builds again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit and window
# tests under them. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"

if [ "${TORAVI_SKIP_SANITIZERS:-0}" != 1 ]; then
  echo "== Tests sous AddressSanitizer et UndefinedBehaviorSanitizer"
  san=${SAN_BUILD_DIR:-build-san}
  cmake -S . -B "$san" -DCMAKE_BUILD_TYPE=Debug -DTORAVI_SANITIZE=ON -DTORAVI_BUILD_BENCH=OFF >/dev/null
  cmake --build "$san" -j "$(nproc)"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
  export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ctest --test-dir "$san" --output-on-failure -j "$(nproc)" -E '^(browser_.*|package)$'
fi
