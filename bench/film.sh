#!/usr/bin/env bash
# Frames a second of wendrix-render at 1920x1080 for each kind of output, at grid
# steps 6 and 1, all in one run so that the ratios compare like with like: the frames
# drawn alone (only the last one written), PNG files, and each film.
# Usage: bench/film.sh [build directory, default build] [frames at step 6] [at step 1]
# (defaults 600 and 600). The files go to a temporary folder on the disk the build is on,
# removed at the end; the YUV4MPEG2 stream goes to /dev/null through a pipe.
set -euo pipefail
source "$(dirname "$0")/../scripts/help.sh" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
render="$build/render/wendrix-render"
if [ ! -x "$render" ]; then
  echo "film.sh: no $render; build it first: cmake --build $build --target wendrix-render" >&2
  exit 1
fi
declare -A frames=([6]=${2:-600} [1]=${3:-600})
work=$(mktemp -d -p "$build")
trap 'rm -rf "$work"' EXIT
export EGL_PLATFORM=surfaceless LIBGL_ALWAYS_SOFTWARE=1 MESA_SHADER_CACHE_DISABLE=true

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) hardware threads"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| 1920x1080 | step | frames | seconds | frames a second | against PNG | against drawing alone | MB |"
echo "| --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: |"
for step in 6 1; do
  # Tesselation starts at 6; each < makes the grid one pixel finer.
  keys=""
  for ((i = step; i < 6; i++)); do keys+="<lt>"; done
  n=${frames[$step]}
  declare -A took=()
  for kind in drawn png mp4 webm mkv y4m; do
    rm -rf "${work:?}"/*
    case $kind in
      drawn) out=$work/last.png ;;
      png) out=$work/%04d.png ;;
      y4m) out=- ;;
      *) out=$work/film.$kind ;;
    esac
    start=$(date +%s.%N)
    (cd "$root/data" && "$render" --size 1920x1080 --frames "$n" --keys "$keys" --out "$out" \
      > /dev/null)
    took[$kind]=$(awk -v start="$start" -v end="$(date +%s.%N)" 'BEGIN { print end - start }')
    mb=$(du -sm "$work" | cut -f1)
    [ "$kind" = y4m ] && mb="(stream)"
    awk -v kind="$kind" -v step="$step" -v n="$n" -v t="${took[$kind]}" -v png="${took[png]:-0}" \
      -v drawn="${took[drawn]}" -v mb="$mb" 'BEGIN {
        printf "| %s | %d | %d | %.1f | %.1f | %s | %.2fx | %s |\n", kind, step, n, t, n / t,
          (png > 0 ? sprintf("%.2fx", png / t) : ""), drawn / t, mb }'
  done
done
echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
