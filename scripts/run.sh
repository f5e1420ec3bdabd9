#!/usr/bin/env bash
# Sets everything up, builds, and starts Toravi on its launcher window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec ./"${BUILD_DIR:-build}"/bin/toravi "$@"
