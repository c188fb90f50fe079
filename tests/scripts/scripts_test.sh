#!/usr/bin/env bash
# The commands the README and its guides give a person, run from the checkout as a newcomer
# runs them: scripts/run builds wendrix and answers --version and --help without a window,
# and every other script they name answers --help before it installs or builds anything.
# Usage: scripts_test.sh SOURCE VERSION
set -uo pipefail
source=$1 version=$2 failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/wendrix-scripts.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# No display: were a window opened, wendrix would fail.
for row in "--version|wendrix $version" '--help|usage: wendrix [-display DISPLAY]'; do
  option=${row%%|*} wanted=${row#*|}
  out=$(env -u DISPLAY "$source/scripts/run" "$option" 2> "$scratch/log")
  status=$?
  [ $status -eq 0 ] && [[ $out == "$wanted"* ]] ||
    fail "scripts/run $option: status $status, printed '${out:0:80}' ($(tail -n 3 "$scratch/log"))"
done

# Only what a usage needs is on the PATH: a script that set about installing or building
# (apt-get, dpkg-query, cmake) stops at once for want of it.
mkdir "$scratch/bin"
for tool in bash sed cat dirname; do ln -s "$(command -v "$tool")" "$scratch/bin/"; done
ln -s /usr/bin/python3 "$scratch/bin/"  # Debian's, which the project's Python runs on
named=$(cd "$source" && grep -ohP '(?<![\w/.-])(scripts|bench)/[\w.-]+' README.md docs/*.md 2> /dev/null |
        sort -u | grep -vx scripts/run)
[ "$(wc -w <<< "$named")" -ge 5 ] || fail "too few scripts named in the README to be the real list: $named"
for script in $named; do
  [ -f "$source/$script" ] || { fail "$script is named but not there"; continue; }
  case "$script" in *.py) runner=(python3) ;; *) runner=() ;; esac
  out=$(cd "$scratch" && PATH=$scratch/bin "${runner[@]}" "$source/$script" --help 2>&1)
  status=$?
  [ $status -eq 0 ] && grep -qi "usage: .*${script##*/}" <<< "$out" ||
    fail "$script --help: status $status, printed '${out:0:120}'"
done
echo "$failures failures"
[ $failures -eq 0 ]
