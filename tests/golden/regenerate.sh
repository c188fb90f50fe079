#!/usr/bin/env bash
# Regenerates the golden frames in tests/golden from tests/golden/cases.txt.
# Only for a deliberate change of the picture: look at every new frame before
# committing it. Usage: tests/golden/regenerate.sh [path/to/wendrix-render]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
renderer=${1:-$here/../../build/app/wendrix-render}
if [ ! -x "$renderer" ]; then
  echo "regenerate: no renderer at $renderer; build first (scripts/test) or pass its path" >&2
  exit 2
fi
# The same software rasteriser as the tests.
export LIBGL_ALWAYS_SOFTWARE=1 EGL_PLATFORM=surfaceless
while read -r line; do
  case "$line" in '' | '#'*) continue ;; esac
  read -ra words <<< "$line"
  name=${words[0]}
  "$renderer" "${words[@]:1}" --out "$here/$name.png"
  echo "regenerate: $name.png"
done < "$here/cases.txt"
