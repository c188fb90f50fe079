"""The help page as an OCR engine reads it over every colour scheme: tesseract 5 on the page
drawn at 1280x720, upscaled 2x, against the page's own lines (text/HelpScreen.cpp), as the
share of characters read right (1 - edit distance / length, runs of spaces as one).
Usage: ocr.py WENDRIX-RENDER HELPSCREEN.cpp LEAST-FOR-SCHEME-0 ... LEAST-FOR-SCHEME-7"""
import concurrent.futures, os, re, shutil, subprocess, sys, tempfile
from PIL import Image

words = lambda text: '\n'.join(' '.join(line.split()) for line in text.splitlines() if line.strip())


def help_lines(source):
    """The page's lines as HelpScreen.cpp holds them, spaces folded."""
    page = re.search(r'kHelpLines\[kHelpLineCount\] = \{(.*?)\};', open(source).read(), re.S).group(1)
    return words('\n'.join(re.findall(r'"((?:[^"\\]|\\.)*)"', page)))


def distance(a, b):
    """Levenshtein distance, row by row (a third of a second for the page)."""
    row = list(range(len(b) + 1))
    for i, x in enumerate(a, 1):
        diagonal, row[0] = row[0], i
        for j, y in enumerate(b, 1):
            diagonal, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, diagonal + (x != y))
    return row[-1]


def read_help(shot, expected):
    """The share of the help page's characters tesseract reads right in a 1280x720 frame
    (the PNG at shot, rewritten), and what it read."""
    # The page only: the scheme's message above the title is not one of its lines.
    image = Image.open(shot).convert('RGB').crop((0, 30, 640, 600))
    image.resize((image.width * 2, image.height * 2), Image.BICUBIC).save(shot)
    read = subprocess.run(['tesseract', shot, 'stdout', '--psm', '6'], check=True,
                          capture_output=True, text=True, env=dict(os.environ, OMP_THREAD_LIMIT='1'))
    return 1 - distance(expected, words(read.stdout)) / len(expected), read.stdout


def accuracy(scheme, scratch):
    shot = os.path.join(scratch, f'{scheme}.png')
    subprocess.run([render, '--size', '1280x720', '--frames', '60', '--keys', 'o' * scheme + '?',
                    '--out', shot], check=True)
    return read_help(shot, expected)


if __name__ == '__main__':
    render, source, least = sys.argv[1], sys.argv[2], [float(x) for x in sys.argv[3:11]]
    assert len(least) == 8, 'one floor for each of the eight schemes'
    expected = help_lines(source)
    if shutil.which('tesseract') is None:
        sys.exit('FAIL: tesseract is not installed (scripts/deps.sh test installs it)')
    with tempfile.TemporaryDirectory() as scratch, concurrent.futures.ThreadPoolExecutor(2) as pool:
        results = list(pool.map(lambda s: accuracy(s, scratch), range(8)))
    scores = [score for score, _ in results]
    for scheme, (score, text) in enumerate(results):
        print(f'scheme {scheme}: {score:.1%} of the characters read right')
        if score < least[scheme] or os.environ.get('OCR_VERBOSE'):
            print(text)
    print(f'mean: {sum(scores) / len(scores):.1%}')
    failed = [f'{s} ({score:.1%} < {least[s]:.0%})' for s, score in enumerate(scores) if score < least[s]]
    if failed:
        sys.exit('FAIL: read below their floors: schemes ' + ', '.join(failed))
