#!/usr/bin/env bash
# The real program under valgrind memcheck on a private Xvfb, through a scripted
# session: the keys of every row, help on and off, a reset, resizes and the fade
# to the end. Passes when the program ends by its fade with code 0 and memcheck
# reports no error beyond the driver's, which mesa.supp names with its reasons.
# Usage: tests/valgrind/run.sh path/to/wendrix [log file]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wendrix=$(realpath "${1:?usage: $0 path/to/wendrix [log]}")
log=${2:-$(mktemp /tmp/wendrix-valgrind-XXXXXX.log)}

for tool in valgrind Xvfb xdotool xdpyinfo; do
  command -v "$tool" > /dev/null || { echo "valgrind: $tool is missing (scripts/deps.sh test)"; exit 1; }
done

# A display of our own; a small screen keeps the frames affordable under valgrind.
display=
for n in $(seq 140 199); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "valgrind: no free X display"; exit 1; }
Xvfb "$display" -screen 0 240x180x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
program=
cleanup() {
  if [ -n "$program" ]; then kill "$program" 2> /dev/null || true; fi
  kill "$xvfb" 2> /dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done

# softpipe, Mesa's rasteriser without a JIT: llvmpipe's generated code is both
# opaque to memcheck and far too slow to compile under it.
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=softpipe
workdir=$(mktemp -d)  # no font.bmp here: the program finds the one beside it
cd "$workdir"
valgrind --tool=memcheck --error-exitcode=99 --num-callers=40 --keep-debuginfo=yes --leak-check=full \
  --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --suppressions="$here/mesa.supp" --gen-suppressions=all --log-file="$log" \
  "$wendrix" &
program=$!

window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Wendrix$' | head -1)
[ -n "$window" ] || { echo "valgrind: no window; see $log"; exit 1; }
xdotool mousemove --sync 50 50  # keys go to the window under the pointer
sleep 3

# One key, then time for a frame or two to take it in.
press() {
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.4
  done
}
press question slash  # help on and off
press space space parenleft parenright plus underscore minus equal bracketleft bracketright
press braceleft braceright comma period less greater
press c C l L n N o O p P s S t T u U w W w
press Left Right Up Down F1 Home a 1
xdotool click 1 click 3
press r  # reset

# Out of full screen to a 512x512 window, resized by the window system, and back.
press f
sleep 2
# The F key's window shows that the keys reach the program at all.
xdotool getwindowgeometry "$window" | grep -q 'Geometry: 512x512' ||
  { echo "valgrind: F gave no 512x512 window; the keys are not arriving"; exit 1; }
xdotool windowsize "$window" 120 90
sleep 2
xdotool windowsize "$window" 1 1
sleep 2
xdotool windowsize "$window" 200 150
sleep 2
xdotool mousemove --sync --window "$window" 20 20
press F
sleep 2

# Escape: the fade ends the program by itself.
xdotool key Escape
status=0
timeout 240 tail --pid="$program" -f /dev/null || { echo "valgrind: no end to the fade"; exit 1; }
wait "$program" || status=$?
program=
grep -E 'ERROR SUMMARY|definitely lost' "$log" || true
case $status in
  0) echo "valgrind: clean, log in $log" ;;
  99) echo "valgrind: memcheck found errors, see $log"; exit 1 ;;
  *) echo "valgrind: the program ended with code $status, see $log"; exit 1 ;;
esac
