#!/usr/bin/env bash
# The version is written once, in VERSION: debian/changelog's top entry (which dpkg needs),
# CHANGELOG.md's latest release and each program's --version say the same, and no other
# tracked text spells it out (the builds take it from CMake's project version).
# Usage: versions.sh SOURCE PROGRAM...
set -euo pipefail
source=$1
shift
version=$(< "$source/VERSION")
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "VERSION holds '$version', not MAJOR.MINOR.PATCH"
said=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
[ "$said" = "$version" ] || fail "debian/changelog's top entry is $said"
said=$(sed -n 's/^## \[\([0-9][^]]*\)\].*/\1/p' "$source/CHANGELOG.md" | head -n 1)
[ "$said" = "$version" ] || fail "CHANGELOG.md's latest release is '$said'"
for program; do
  said=$("$program" --version) || true
  [ "$said" = "$(basename "$program") $version" ] || fail "$program --version says '$said'"
done
spelt=$(git -C "$source" grep --untracked -lwIF "$version" -- . ':!VERSION' ':!debian/changelog' ':!CHANGELOG.md') || true
[ -z "$spelt" ] || fail "the version is spelt out in $(echo $spelt)"
[ "$failures" -eq 0 ]
