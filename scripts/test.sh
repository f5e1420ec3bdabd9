#!/usr/bin/env bash
# Sets everything up, builds, and runs every test (unit, window and browser tests)
# without a display and without questions. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
