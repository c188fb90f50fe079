#!/usr/bin/env bash
# The screen saver's processor time beside XScreenSaver's own interference hack,
# measured in one run: each hack alone on the root window of one Xvfb at
# 1920x1080, its own process's and the X server's time over 10 s after 3 s, as
# a share of one core. Prints a table and the ratios the README gives. Given a
# Windows build too (scripts/windows), wendrix.scr /s under Wine on the same
# Xvfb, its image against its GL, with Wine's server's time beside.
# Usage: bench/saver-cpu.sh [build directory, default build] [Windows build directory]
set -euo pipefail
source "$(dirname "$0")/../scripts/help.sh" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
hack="$build/saver/wendrix-saver"
interference=/usr/libexec/xscreensaver/interference  # Debian's xscreensaver-data-extra
for program in "$hack" "$interference"; do
  if [ ! -x "$program" ]; then
    echo "saver-cpu.sh: no $program (build wendrix-saver; scripts/deps.sh test)" >&2
    exit 1
  fi
done
settle=3 span=10

exec {ready}<> <(:)
Xvfb -displayfd "$ready" -screen 0 1920x1080x24 -nolisten tcp -br > /dev/null 2>&1 &
server=$!
read -r -t 20 number <&"$ready"
export DISPLAY=":$number"
trap 'kill $server 2> /dev/null' EXIT

# Processor ticks (user and system) a process has used, all its threads.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) hardware threads"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| run | hack, % of a core | X server | together |"
echo "| --- | ---: | ---: | ---: |"
declare -A total
wine_ticks() { echo 0; }
measure() {
  local name=$1
  shift
  "$@" > /dev/null 2>&1 &
  local pid=$!
  sleep "$settle"
  local hack0 server0 hack1 server1
  # Under Wine the hack's own time and its wineserver's are counted together.
  hack0=$(($(ticks $pid) + $(wine_ticks))) server0=$(ticks $server)
  sleep "$span"
  hack1=$(($(ticks $pid) + $(wine_ticks))) server1=$(ticks $server)
  kill $pid
  wait $pid 2> /dev/null || true
  local h x
  h=$(awk -v t=$((hack1 - hack0)) -v d=$((hz * span)) 'BEGIN { printf "%.1f", 100 * t / d }')
  x=$(awk -v t=$((server1 - server0)) -v d=$((hz * span)) 'BEGIN { printf "%.1f", 100 * t / d }')
  total[$name]=$(awk -v h="$h" -v x="$x" 'BEGIN { printf "%.1f", h + x }')
  echo "| $name | $h | $x | ${total[$name]} |"
}
measure "wendrix-saver, defaults (auto: image)" "$hack" --root
measure "wendrix-saver, defaults, --present gl" "$hack" --root --present gl
measure "interference, defaults" "$interference" -root
measure "wendrix-saver -tesselation 2 -ripples 3 -delay 30000 (image)" \
  "$hack" --root --tesselation 2 --ripples 3 --delay 30000
measure "wendrix-saver, the same, --present gl" \
  "$hack" --root --tesselation 2 --ripples 3 --delay 30000 --present gl
measure "interference -gridsize 2 -count 3 -delay 30000" \
  "$interference" -root -gridsize 2 -count 3 -delay 30000
if [ $# -ge 2 ]; then
  scr="$(cd "$2" && pwd)/wendrix.scr"
  WINEPREFIX=$(mktemp -d) WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='
  export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
  trap 'wineserver -k 2> /dev/null; kill $server 2> /dev/null; rm -rf "$WINEPREFIX"' EXIT
  wineboot -i > /dev/null 2>&1
  wine_ticks() { for p in $(pgrep -x wineserver); do ticks "$p"; done | awk '{ s += $1 } END { print s + 0 }'; }
  for present in gl image; do
    wine reg add 'HKCU\Software\Wendrix' /v Present /t REG_SZ /d $present /f > /dev/null 2>&1
    measure "wendrix.scr /s under Wine, Present $present" wine "$scr" /s
  done
fi
echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
ratio() { awk -v a="${total[$1]}" -v b="${total[$2]}" 'BEGIN { printf b ? "%.2f" : "n/a", a / b }'; }
echo "defaults, hack and X server against interference's (goal <= 1.5): $(ratio \
  "wendrix-saver, defaults (auto: image)" "interference, defaults")"
echo "equal work, against interference's (goal <= 2): $(ratio \
  "wendrix-saver -tesselation 2 -ripples 3 -delay 30000 (image)" \
  "interference -gridsize 2 -count 3 -delay 30000")"
echo "image against GL, defaults: $(ratio "wendrix-saver, defaults (auto: image)" \
  "wendrix-saver, defaults, --present gl")"
if [ $# -ge 2 ]; then
  echo "wendrix.scr under Wine, image against GL (goal < 0.5): $(ratio \
    "wendrix.scr /s under Wine, Present image" "wendrix.scr /s under Wine, Present gl")"
fi
