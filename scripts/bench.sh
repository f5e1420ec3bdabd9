#!/usr/bin/env bash
# Builds and runs every benchmark of bench/ and prints one table. On demand only:
# the figures depend on the machine, so they are never checked by the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-bench}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DTORAVI_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" >/dev/null
rows=$(mktemp)
for b in "$BUILD_DIR"/bin/bench_*; do
  [ -x "$b" ] || continue
  QT_QPA_PLATFORM=offscreen "$b" | grep '^BENCH' >>"$rows" || { echo "échec : $b" >&2; exit 1; }
done
echo "Machine : $(nproc) cœurs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(free -g | awk '/Mem:/{print $2}') Go"
echo
printf '| %s | %s | %s | %s |\n' "Mesure" "Valeur" "Unité" "Remarque"
printf '|---|---:|---|---|\n'
awk -F'\t' '{ printf "| %s | %s | %s | %s |\n", $2, $3, $4, $5 }' "$rows"
rm -f "$rows"
