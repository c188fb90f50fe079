#!/usr/bin/env bash
# Installs Wendrix as a user would, into a scratch directory, and checks what lands there.
#   install_test.sh prefix|deb PNGPROBE BUILD SOURCE VERSION BINDIR DATADIR MANDIR LIBEXECDIR
# prefix: `cmake --install BUILD` under a DESTDIR, in the configured BINDIR, DATADIR and MANDIR;
# deb: dpkg-buildpackage's package of a clean copy of SOURCE's files, through lintian, unpacked
# (Debian's layout). Exits 77 (skipped) when all passed but this machine's own atlas in the
# compiled-in data directory leaves it unproven that the installed renderer found its own.
set -euo pipefail
route=$1 pngprobe=$2 build=$3 source=$4 version=$5 bindir=$6 datadir=$7 mandir=$8 libexecdir=$9
scratch=$(mktemp -d "${TMPDIR:-/tmp}/wendrix-$route.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/src" "$scratch/elsewhere"
root=$scratch/root failures=0 gz="" extra=()
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if [ "$route" = prefix ]; then
  DESTDIR=$root cmake --install "$build" > "$scratch/log"
else
  bindir=/usr/games datadir=/usr/share mandir=/usr/share/man libexecdir=/usr/libexec gz=.gz
  extra=("$datadir/doc/wendrix/changelog.gz" "$datadir/doc/wendrix/copyright")
  git -C "$source" ls-files -z -co --exclude-standard |
    tar -C "$source" --null --ignore-failed-read -T - -cf - | tar -xf - -C "$scratch/src"
  (cd "$scratch/src" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -b -us -uc -j"$(nproc)") \
    > "$scratch/log" 2>&1 || { tail -n 30 "$scratch/log" >&2; exit 1; }
  # Named for the project's version: debian/changelog follows VERSION.
  deb=$scratch/wendrix_${version}_$(dpkg --print-architecture).deb
  lintian --fail-on error,warning "$deb" > "$scratch/lint" 2>&1 || fail "lintian: $(cat "$scratch/lint")"
  dpkg-deb -x "$deb" "$root"
  # Each library the programs link comes from a package that Depends names.
  depends=" $(dpkg-deb -f "$deb" Depends | sed 's/([^)]*)//g; s/[,|]/ /g' | tr -s ' ') "
  triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
  for soname in $(readelf -d "$root$bindir"/* "$root$libexecdir"/xscreensaver/* | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort -u); do
    owner=$(dpkg -S "*/$triplet/$soname" 2> /dev/null | head -n 1 | cut -d: -f1) || true
    [[ -n $owner && $depends == *" $owner "* ]] || fail "Depends lacks ${owner:-a package} for $soname"
  done
fi

# Exactly these files; each icon as large as its directory says, with no black edge.
expected=("$bindir/wendrix" "$bindir/wendrix-render" "$datadir/applications/wendrix.desktop"
  "$datadir/wendrix/font.bmp" "$mandir/man6/wendrix.6$gz" "$mandir/man6/wendrix-render.6$gz"
  "$libexecdir/xscreensaver/wendrix" "$datadir/xscreensaver/config/wendrix.xml"
  "$datadir/applications/screensavers/wendrix.desktop" "$mandir/man6/wendrix-saver.6$gz"
  "${extra[@]}")
for size in 16 24 32 48 64 128 256; do
  expected+=("$datadir/icons/hicolor/${size}x$size/apps/wendrix.png")
  probed=$("$pngprobe" icon "$root${expected[-1]}" 2>&1) || true
  [ "$probed" = "${size}x$size 0" ] || fail "${expected[-1]}: $probed (size, black edges)"
done
wanted=$(printf '%s\n' "${expected[@]}" | sort)
actual=$(cd "$root" && find . ! -type d | sed 's|^\.||' | sort)
[ "$actual" = "$wanted" ] || fail "installed files differ: $(diff <(echo "$wanted") <(echo "$actual"))"

# The programs and the manual pages name the data directory they are installed with, and the
# hack's page the hack as installed.
zcat -f "$root$mandir/man6/wendrix-saver.6$gz" | grep -q "^\.B $libexecdir/xscreensaver/wendrix$" ||
  fail "wendrix-saver.6 does not name $libexecdir/xscreensaver/wendrix"
for file in "$bindir/wendrix" "$bindir/wendrix-render" "$libexecdir/xscreensaver/wendrix" \
  "$mandir/man6/wendrix.6$gz" "$mandir/man6/wendrix-saver.6$gz"; do
  named=$(zcat -f "$root$file" | grep -ao '/[[:alnum:]_+-][[:alnum:]/._+-]*/share/wendrix' |
          sort -u | xargs) || true
  [ "$named" = "$datadir/wendrix" ] || fail "$file names '$named', not $datadir/wendrix"
done
# Both names open the installed page.
for page in wendrix wendrix-render; do
  MANWIDTH=80 man -M "$root$mandir" "$page" 2> /dev/null | grep '^WENDRIX-RENDER' > /dev/null ||
    fail "man $page does not open the installed page"
done

# Started from an empty directory elsewhere, the installed renderer draws the start-up
# message with the installed atlas: in glyphs, not blocks, and says nothing.
(cd "$scratch/elsewhere" && EGL_PLATFORM=surfaceless LIBGL_ALWAYS_SOFTWARE=1 \
  "$root$bindir/wendrix-render" --out frame.png) > "$scratch/render" 2>&1 || true
verdict=$("$pngprobe" text "$scratch/elsewhere/frame.png" 2>&1) || true
[[ $verdict == glyphs && ! -s $scratch/render ]] ||
  fail "the installed renderer's message shows $verdict; it said: $(cat "$scratch/render")"

[ "$failures" -eq 0 ] || exit 1
if [ -e "$datadir/wendrix/font.bmp" ]; then
  echo "SKIP: $datadir/wendrix/font.bmp is on this machine; the glyphs may be its" >&2
  exit 77
fi
