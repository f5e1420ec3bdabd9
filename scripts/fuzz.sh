#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, 60 by default), started from the files in fuzz/inputs. Findings land in
# fuzz/findings/; keep each one as a test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
build=${BUILD_DIR:-build-fuzz}
EXTRA_PACKAGES="clang libclang-rt-14-dev" bash scripts/setup.sh --no-build >/dev/null
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORAVI_FUZZ=ON \
  -DTORAVI_BUILD_TESTS=OFF -DTORAVI_BUILD_BENCH=OFF >/dev/null
targets=$(grep -o 'toravi_add_fuzzer(fuzz_[a-z_]*' fuzz/CMakeLists.txt | cut -d'(' -f2)
cmake --build "$build" -j "$(nproc)" --target $targets
mkdir -p fuzz/findings
export ASAN_OPTIONS=detect_leaks=0
for t in $targets; do
  corpus="fuzz/corpus-$t"
  mkdir -p "$corpus"
  inputs="fuzz/inputs/${t#fuzz_}"
  echo "== $t ($seconds s)"
  (cd "$build/bin" && QT_QPA_PLATFORM=offscreen ./"$t" -max_total_time="$seconds" -print_final_stats=1 \
     -artifact_prefix="$OLDPWD/fuzz/findings/$t-" "$OLDPWD/$corpus" $( [ -d "$OLDPWD/$inputs" ] && echo "$OLDPWD/$inputs" ) 2>&1 \
     | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)' || true)
done
ls fuzz/findings
