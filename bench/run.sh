#!/usr/bin/env bash
# Runs the field benchmarks and prints a table in which every fast figure is a
# ratio to the simple one measured in the same run (medians of 3 repetitions).
# Usage: bench/run.sh [build directory, default build] [more benchmark flags]
set -euo pipefail
source "$(dirname "$0")/../scripts/help.sh" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shift || true
bench="$build/bench/wendrix_bench"
if [ ! -x "$bench" ]; then
  echo "run.sh: no $bench; build it first: cmake --build $build --target wendrix_bench" >&2
  exit 1
fi
json=$(mktemp)
trap 'rm -f "$json"' EXIT
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) hardware threads"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
# From data/, so that the start-up finds font.bmp as the program does.
(cd "$root/data" && "$bench" --benchmark_repetitions=3 --benchmark_min_time=1 \
  --benchmark_report_aggregates_only=true --benchmark_out="$json" \
  --benchmark_out_format=json "$@" > /dev/null 2>&1)
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 - "$json" <<'PY'
import json, sys

runs = json.load(open(sys.argv[1]))
median, allocations = {}, {}
for b in runs["benchmarks"]:
    if "allocations_per_frame" in b:
        allocations[b["run_name"].removesuffix("/real_time")] = b["allocations_per_frame"]
    name = b["run_name"].removesuffix("/real_time")
    # The median where there are repetitions, else the one run.
    if b.get("aggregate_name") == "median" or b.get("run_type") == "iteration":
        median[name] = b["real_time"]
print("renderer:", runs["context"].get("renderer", "?"))
print()
print("| 1920x1080 | simple, ms | fast, ms | speed-up | goal |")
print("| --- | ---: | ---: | ---: | ---: |")

def row(label, simple, fast, goal):
    if simple not in median or fast not in median:
        return
    s, f = median[simple], median[fast]
    print(f"| {label} | {s:.1f} | {f:.1f} | {s / f:.1f}x | {goal} |")

row("field, step 1, 4 ripples", "field/4/simple", "field/4/fast", ">= 6x")
row("field, step 1, 8 ripples", "field/8/simple", "field/8/fast", ">= 6x")
for isa in ("sse2", "avx2", "avx512"):
    row(f"field, 4 ripples, {isa} on 1 thread", "field/4/simple", f"field/4/{isa}:1", "")
row("frame, step 1", "frame/step1/simple", "frame/step1/fast", ">= 8x")
row("frame, step 6", "frame/step6/simple", "frame/step6/fast", ">= 2x")
row("frame, step 1, spot light on", "frame/step1_lights/simple", "frame/step1_lights/fast", ">= 1.5x")
print()
print("| field, 4 ripples, fast | 1 thread, ms | 2 threads, ms | 2 threads against 1 |")
print("| --- | ---: | ---: | ---: |")
one, two = median.get("field/4/threads:1"), median.get("field/4/threads:2")
if one and two:
    print(f"| step 1 | {one:.1f} | {two:.1f} | {one / two:.2f}x |")
print()
print("operator new calls per steady frame (goal: 0):",
      ", ".join(f"{name} {count:g}" for name, count in sorted(allocations.items())))
PY
