#!/usr/bin/env bash
# Fuzzes LoadBmp for SECONDS (default 600) in one job on one core, then folds
# whatever found new coverage into the committed corpus (fuzz/corpus).
# Crashes land in fuzz/crashes/, which every build replays.
# Usage: fuzz/run.sh [SECONDS]   (WENDRIX_FUZZ_BUILD: build directory, default build-fuzz)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build=${WENDRIX_FUZZ_BUILD:-$root/build-fuzz}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWENDRIX_BUILD_BENCHMARKS=OFF \
  > /dev/null
cmake --build "$build" --target bmp_fuzzer bmp_replay -j2
fuzzer=$build/fuzz/bmp_fuzzer

# The working corpus grows across runs outside the tree; seeds and corpus are read only.
work=$build/fuzz/work
mkdir -p "$work" "$root/fuzz/crashes"
cd "$build/fuzz"
echo "fuzz: ${seconds}s, log in $build/fuzz/fuzz-0.log"
# The loader itself refuses anything above 4 GiB - 1, so a larger malloc is a finding.
status=0
"$fuzzer" "$work" "$root/fuzz/seeds" "$root/fuzz/corpus" -jobs=1 -workers=1 \
  -max_total_time="$seconds" -malloc_limit_mb=4096 -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$root/fuzz/crashes/" -print_final_stats=1 || status=$?
grep -E '^#[0-9]+ +(DONE|INITED)|^stat::|ERROR|SUMMARY' fuzz-0.log || true

# Keep only inputs that add coverage to what the tree already holds.
"$fuzzer" -merge=1 "$root/fuzz/corpus" "$work" > merge.log 2>&1
grep -E 'MERGE-OUTER: [0-9]+ new files' merge.log || true
# Every build replays the result; so does this run.
"$build/fuzz/bmp_replay" "$root/fuzz/seeds" "$root/fuzz/corpus" "$root/fuzz/crashes"
exit "$status"
