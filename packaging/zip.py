#!/usr/bin/env python3
"""Packs files into a zip whose bytes depend only on their names, their contents and
SOURCE_DATE_EPOCH: the Windows programs' zip and the page's zip. zip(1) and CMake's tar
record each file's own time, owner and mode, which differ from one build to the next.
Usage: zip.py OUT.zip FILE...   (entries named by their base names, in the order given)

Every entry is dated SOURCE_DATE_EPOCH (UTC) where it is set, else the newest file's time,
and stored as a plain file readable by all (0644)."""
import os
import sys
import time
import zipfile

out, files = sys.argv[1], sys.argv[2:]
epoch = int(os.environ.get('SOURCE_DATE_EPOCH') or max(os.stat(f).st_mtime for f in files))
# A zip's dates start in 1980.
stamp = time.gmtime(max(epoch, 315532800))[:6]
with zipfile.ZipFile(out + '.part', 'w') as archive:
    for path in files:
        entry = zipfile.ZipInfo(os.path.basename(path), stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 3  # Unix, so that the mode below is read
        entry.external_attr = 0o100644 << 16
        with open(path, 'rb') as data:
            archive.writestr(entry, data.read(), compresslevel=9)
os.replace(out + '.part', out)
