"""Every relative link and picture in README.md, CHANGELOG.md and docs/*.md leads to a file
that is there, and a #fragment to one of that page's headings; every picture in docs/ is
shown by some page.
Usage: links.py SOURCE"""
import glob, os, re, sys

source = os.path.abspath(sys.argv[1])
pages = [os.path.join(source, 'README.md'), os.path.join(source, 'CHANGELOG.md')]
pages += sorted(glob.glob(os.path.join(source, 'docs', '*.md')))
# [text](target) and ![alt](target), with an optional "title"; and [label]: target lines.
inline = re.compile(r'!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+"[^"]*")?\s*\)')
reference = re.compile(r'^\s*\[[^\]]+\]:\s*<?(\S+?)>?(?:\s+"[^"]*")?\s*$', re.M)


def anchors(page):
    """GitHub's ids of a page's headings: lower case, punctuation gone, spaces as hyphens."""
    ids, seen = set(), {}
    for heading in re.findall(r'^#+\s+(.*?)\s*#*$', strip_code(open(page).read()), re.M):
        slug = re.sub(r'[^\w\- ]', '', heading.lower()).replace(' ', '-')
        ids.add(f'{slug}-{seen[slug]}' if slug in seen else slug)  # a repeated one gets -1, -2
        seen[slug] = seen.get(slug, 0) + 1
    return ids


def strip_code(text):
    """The text without its fenced and indented code blocks, whose brackets are no links."""
    text = re.sub(r'^```.*?^```', '', text, flags=re.M | re.S)
    return re.sub(r'(?:^(?: {4}|\t).*\n?)+', '', text, flags=re.M)


broken, followed, shown = [], 0, set()
for page in pages:
    if not os.path.isfile(page):
        broken.append(f'{os.path.relpath(page, source)} is missing')
        continue
    text = re.sub(r'`[^`\n]*`', '', strip_code(open(page).read()))
    for target in inline.findall(text) + reference.findall(text):
        if re.match(r'[a-z][a-z0-9+.-]*:', target, re.I):
            continue  # http:, https:, mailto: lead elsewhere
        path, _, fragment = target.partition('#')
        whole = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
        followed += 1
        shown.add(whole)
        where = f'{os.path.relpath(page, source)}: {target}'
        if not os.path.exists(whole):
            broken.append(f'{where} (no such file)')
        elif fragment and whole.endswith('.md') and fragment not in anchors(whole):
            broken.append(f'{where} (no such heading)')
for picture in sorted(glob.glob(os.path.join(source, 'docs', '*.png'))):
    if picture not in shown:
        broken.append(f'{os.path.relpath(picture, source)} is shown by no page')
if followed == 0:
    broken.append('no link was found to follow')
for line in broken:
    print('FAIL:', line, file=sys.stderr)
print(f'{followed} links followed in {len(pages)} pages')
sys.exit(1 if broken else 0)
