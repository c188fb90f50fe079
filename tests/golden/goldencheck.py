"""goldencheck.py RENDERER GOLDEN.png TOLERANCE [ARGS...]: runs RENDERER ARGS --out NAME-actual.png and compares
the frame with GOLDEN.png: the same size and kind of PNG, every channel of every pixel within TOLERANCE; a frame that
differs is kept. With WENDRIX_REGENERATE=1 in the environment the frame becomes the new GOLDEN.png."""
import os, subprocess, sys
from PIL import Image, ImageChops

renderer, golden, tolerance, args = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
regenerate = os.environ.get('WENDRIX_REGENERATE') == '1'
actual = golden if regenerate else os.path.basename(golden).removesuffix('.png') + '-actual.png'
if subprocess.run([renderer, '--out', actual] + args).returncode != 0:
    sys.exit(f'goldencheck: {renderer} {args} failed')
made, expected = Image.open(actual), Image.open(golden)
off = -1 if (made.mode, made.size) != (expected.mode, expected.size) else sum(
    count for level, count in enumerate(ImageChops.difference(made, expected).histogram()) if level % 256 > tolerance)
if off:
    sys.exit(f'goldencheck: {off} channel values differ from {golden} (-1: the size or kind); kept {os.path.abspath(actual)}')
if not regenerate:
    os.remove(actual)
