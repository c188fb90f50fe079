#!/usr/bin/env bash
# scripts/release twice on the checkout's commit, into two folders, on the build trees the
# other parts built: each folder's SHA256SUMS holds, the two folders are the same bytes, and
# every download is named for VERSION and says it inside. Between the runs the files the zips
# and the installer are packed from get a new time, as a rebuild gives them.
# Usage: release_test.sh SOURCE WORK
set -euo pipefail
source=$1 work=$2
if [ -n "$(git -C "$source" status --porcelain)" ]; then
  echo "SKIP: the checkout has changes, so scripts/release would build its commit in a clone of its own"
  exit 77
fi
version=$(< "$source/VERSION")
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
rm -rf "$work/1" "$work/2"

"$source/scripts/release" --out "$work/1"
python3 - "$source" "$work/1" "$version" << 'EOF_PY'
import os, sys, zipfile
source, dist, version = sys.argv[1:]
for tree, name in (('build-windows', f'wendrix-{version}-windows.zip'), ('build-web', f'wendrix-web-{version}.zip')):
    for entry in zipfile.ZipFile(os.path.join(dist, name)).namelist():
        os.utime(os.path.join(source, tree, entry))
EOF_PY
"$source/scripts/release" --out "$work/2"

arch=$(dpkg --print-architecture)
made=("wendrix_${version}_$arch.deb" "wendrix-dbgsym_${version}_$arch.deb" "wendrix-$version-setup.exe"
  "wendrix-$version-windows.zip" "wendrix-web-$version.zip" "wendrix-$version.tar.gz")
for run in 1 2; do
  (cd "$work/$run" && sha256sum --quiet --strict -c SHA256SUMS) || fail "run $run: sha256sum -c SHA256SUMS"
  listed=$(cut -c 67- "$work/$run/SHA256SUMS" | sort)
  [ "$listed" = "$(printf '%s\n' "${made[@]}" | sort)" ] || fail "run $run: SHA256SUMS lists $(echo $listed)"
  there=$(ls "$work/$run" | sort)
  [ "$there" = "$(printf '%s\n' "${made[@]}" SHA256SUMS | sort)" ] || fail "run $run made $(echo $there)"
done
cmp -s "$work/1/SHA256SUMS" "$work/2/SHA256SUMS" ||
  fail "the two runs differ: $(diff "$work/1/SHA256SUMS" "$work/2/SHA256SUMS" | sed -n 's/^> [0-9a-f]* *//p' | xargs)"

# The version inside: the packages' control fields, the source's folder and VERSION, the
# Windows programs' and the installer's version resources, the page.
dist=$work/1
for deb in "${made[@]:0:2}"; do
  said=$(dpkg-deb -f "$dist/$deb" Version)
  [ "$said" = "$version" ] || fail "$deb is version $said"
done
said=$(tar -xOzf "$dist/wendrix-$version.tar.gz" "wendrix-$version/VERSION") || true
[ "$said" = "$version" ] || fail "the source's wendrix-$version/VERSION says '$said'"
python3 - "$dist" "$version" << 'EOF_PY' || failures=$((failures + 1))
import os, re, sys, zipfile
dist, version = sys.argv[1:]

def said(data):
    """A PE file's ProductVersion and FileVersion strings (UTF-16, in its version resource)."""
    text = data.decode('utf-16-le', 'replace') + data[1:].decode('utf-16-le', 'replace')
    return sorted(set(re.findall(r'(?:Product|File)Version\x00+([\w.]+)\x00', text)))

windows = zipfile.ZipFile(os.path.join(dist, f'wendrix-{version}-windows.zip'))
found = {name: said(windows.read(name)) for name in ('wendrix.exe', 'wendrix.scr')}
found['setup'] = said(open(os.path.join(dist, f'wendrix-{version}-setup.exe'), 'rb').read())
page = zipfile.ZipFile(os.path.join(dist, f'wendrix-web-{version}.zip')).read('index.html').decode()
found['index.html'] = re.findall(r'Wendrix ([\w.]+) in a web page', page)
wrong = {name: versions for name, versions in found.items() if versions != [version]}
print(f'FAIL: versions inside: {wrong}' if wrong else f'versions inside: {found}', file=sys.stderr)
sys.exit(1 if wrong else 0)
EOF_PY
[ "$failures" -eq 0 ]
