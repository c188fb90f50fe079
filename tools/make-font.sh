#!/bin/sh
# Regenerates data/font.bmp on purpose, outside the usual build tree: builds
# makefont and fontcheck in a scratch one (fontcheck draws with the
# program's own text code, so it takes the core library along), renders the
# font (DejaVu Sans Mono unless one is named) and checks the atlas before
# replacing the committed one.
set -eu
tools=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$tools")
atlas=$root/data/font.bmp
font=${1:-/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
cmake -S "$root" -B "$work" -DWENDRIX_BUILD_TESTS=OFF -DWENDRIX_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build "$work" --target makefont fontcheck > /dev/null
"$work/tools/makefont" "$font" "$work/font.bmp"
EGL_PLATFORM=surfaceless LIBGL_ALWAYS_SOFTWARE=1 "$work/tools/fontcheck" "$work/font.bmp"
cp "$work/font.bmp" "$atlas"
echo "wrote $atlas"
