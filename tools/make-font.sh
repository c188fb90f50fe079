#!/bin/sh
# Regenerates data/font.bmp on purpose, without configuring the whole
# project: builds makefont and fontcheck in a scratch folder, renders the
# font (DejaVu Sans Mono unless one is named) and checks the layout before
# replacing the committed atlas.
set -eu
tools=$(cd "$(dirname "$0")" && pwd)
atlas=$(dirname "$tools")/data/font.bmp
font=${1:-/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
cxx=${CXX:-c++}
"$cxx" -std=c++20 -O2 -Wall -Wextra -o "$work/makefont" "$tools/makefont.cpp" \
  $(pkg-config --cflags --libs freetype2)
"$cxx" -std=c++20 -O2 -Wall -Wextra -o "$work/fontcheck" "$tools/fontcheck.cpp"
"$work/makefont" "$font" "$work/font.bmp"
"$work/fontcheck" "$work/font.bmp"
cp "$work/font.bmp" "$atlas"
echo "wrote $atlas"
