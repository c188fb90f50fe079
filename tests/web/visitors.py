"""What the page's visitors bring, in headless Chromium (SwiftShader's WebGL) against
wendrix-render's frames: hostile addresses, a browser that asks for less motion, and no network
after one visit (the service worker, from the page's zip served on 127.0.0.1), with a new build
taking over at the next visit and the manifest that makes the page installable.
A frame matches as browsers.alike judges the GPU's field.
Usage: visitors.py BUILD-WEB WENDRIX-RENDER"""
import glob, os, random, sys, tempfile, time, zipfile
from urllib.parse import quote_from_bytes
from PIL import Image
from browsers import alike, check, closeness, compare, launch, rendered, serve, xsession

page_dir, render = sys.argv[1:3]
zips = glob.glob(os.path.join(page_dir, 'wendrix-web-*.zip'))
if len(zips) != 1:
    sys.exit(f'FAIL: no one wendrix-web-*.zip in {page_dir}: scripts/web builds the page')
scratch = tempfile.TemporaryDirectory()
DEFAULT = '; the default is used.'
MOTION = 'Motion is reduced, so Wendrix starts paused: press P, or tap the picture, to play.'
PAUSED = 'Wendrix starts paused: press P, or tap the picture, to play.'


def like(shot, reference, mask=None):
    """The renderer's frame as the GPU's field draws it (browsers.alike), and how alike, as words."""
    shares, largest = closeness(shot, reference, mask)
    return alike(shares, largest, True), f'{shares[0]:.2%} exact, at most {largest} level(s) apart'


def visit(url, size, done=True):
    browser.resize(size)
    browser.send('Page.navigate', url=url)
    browser.wait_for('document.title == "Wendrix (done)"' if done else
                     'document.title == "Wendrix" && window.Module && Module.calledRun')


def network(up):
    browser.send('Network.emulateNetworkConditions', offline=not up, latency=0,
                 downloadThroughput=-1, uploadThroughput=-1)


def said():
    return browser.evaluate('document.getElementById("say").textContent').splitlines()


def shown(text):
    """Bytes as the page's lines quote them: the first 40, those outside printable ASCII as
    \\xNN, "..." after a longer one."""
    return ''.join(chr(b) if 32 <= b < 127 else '\\x%02X' % b for b in text[:40]) + (
        '...' if len(text) > 40 else '')


def hostile(pick):
    """A pair the page must refuse, escaped as an address holds it, and what its line shows."""
    name = pick.choice([b'scheme', b'ripples', b'speed', b'letterbox', b'seed', b'present',
                        b'spotlight', b'fps', b'embed', b'play'])
    value = bytes(pick.randrange(256) for _ in range(pick.randrange(8))) + pick.choice(
        [b'\0', b'\xff', b'x'])
    kind = pick.randrange(5)
    if kind == 0:
        name = bytes(pick.randrange(256) for _ in range(pick.randrange(6))) + b'\xff'
    elif kind == 1:
        name = name.upper()
    elif kind == 2:
        name = b''
    elif kind == 3:
        value = b'7' * 60000 + value  # under the 64 KB request line Python's server reads
    pair = quote_from_bytes(name, safe='') + '=' + quote_from_bytes(value, safe='')
    return pair, shown(name) if name else '"=' + shown(value)


base = serve(page_dir)
browser = launch('chromium')
try:
    # Hostile addresses, seeded: each option refused is named in a line of its own, and the
    # page draws its default first frame all the same.
    pick = random.Random(20261208)
    small = rendered(render, (64, 64), 1)
    for address in range(24):
        pairs = [hostile(pick) for _ in range(1 + pick.randrange(5))]
        visit(base + '?frames=1&' + '&'.join(pair for pair, _ in pairs), (64, 64))
        lines = said()
        named = all(any(name in line for line in lines) for _, name in pairs)
        drawn, how = like(browser.canvas(), small)
        check(named and len(lines) == len(pairs) and drawn and
              all(line.endswith(DEFAULT) and len(line) < 250 for line in lines),
              f'hostile address {address}: {len(pairs)} refused, lines {lines}; drawn, {how}')
    errors = browser.errors()
    check(not errors, f'no errors on the console: {errors}')

    # A browser that asks for less motion: the first frame stands still, the line says how to
    # play, and P or a tap plays it. The start hint's strip is left out where it may expire.
    size, strip = (320, 240), (0, 0, 320, 40)
    first = rendered(render, size, 1)
    browser.send('Emulation.setEmulatedMedia', media='',
                 features=[dict(name='prefers-reduced-motion', value='reduce')])
    for play in ('key', 'click'):
        visit(base, size, done=False)
        browser.next_frames()
        before = browser.canvas()
        time.sleep(1)
        browser.next_frames()
        still = browser.canvas()
        drawn, how = like(before, first, strip)
        check(drawn and compare(still, before, strip)[1] == 0 and said() == [MOTION],
              f'less motion: the first frame, {how}, stands still a second on; says {said()}')
        if play == 'key':
            browser.press(['p'])
        else:
            for kind in ('mousePressed', 'mouseReleased'):
                browser.send('Input.dispatchMouseEvent', type=kind, x=160, y=120, button='left',
                             clickCount=1)
        time.sleep(0.5)
        browser.next_frames()
        check(compare(browser.canvas(), still, strip)[1] > 1 and said() == [],
              f'less motion: a {play} plays, and the line goes: says {said()}')

    # The address's play decides over the browser's wish, either way.
    for media, query, say, reference in (
            ('reduce', '?play=1&frames=30&frame-ms=50', [], rendered(render, size, 30, 50)),
            ('', '?play=0&frames=30&frame-ms=50', [PAUSED], first)):
        browser.send('Emulation.setEmulatedMedia', media='',
                     features=[dict(name='prefers-reduced-motion', value=media)])
        visit(base + query, size)
        drawn, how = like(browser.canvas(), reference)
        check(drawn and said() == say,
              f'{query}, motion {"reduced" if media else "not reduced"}: wendrix-render\'s '
              f'{"frame 29" if say == [] else "frame 0 (paused)"}, {how}; says {said()}')

    # The page's zip unpacked into a folder of its own, its files an hour old as a server's
    # are (so that the HTTP cache keeps them a while without asking), served on 127.0.0.1.
    site = os.path.join(scratch.name, 'site')
    zipfile.ZipFile(zips[0]).extractall(site)
    hour_ago = time.time() - 3600
    for name in os.listdir(site):
        os.utime(os.path.join(site, name), (hour_ago, hour_ago))
    site_base = serve(site) + '?frames=1'
    visit(site_base, size)
    browser.wait_for('navigator.serviceWorker.controller')
    first_cache = browser.evaluate('caches.keys()')

    manifest = browser.send('Page.getAppManifest')
    app = manifest.get('manifest', {})
    icons = [(icon['sizes'], '%dx%d' % Image.open(os.path.join(site, icon['url'].split('/')[-1]))
              .size) for icon in app.get('icons', [])]
    installable = browser.send('Page.getInstallabilityErrors')['installabilityErrors']
    check(not manifest['errors'] and app.get('name') == 'Wendrix' and
          app.get('display') == 'kFullscreen' and
          app.get('backgroundColor') == app.get('themeColor') == 'rgba(0,0,0,1)' and
          {('32x32',) * 2, ('256x256',) * 2} <= set(icons) and
          all(stated == actual for stated, actual in icons) and not installable,
          f'the manifest: icons {icons} (stated, actual); installable: {installable}')

    # A new build: its worker names another cache, and its page.js differs from the one the
    # HTTP cache holds. The visit that finds it runs the old build whole, the next the new one.
    worker = os.path.join(site, 'offline.js')
    with open(worker) as text:
        script = text.read()
    with open(worker, 'w') as text:
        text.write(script.replace("const BUILD = '", "const BUILD = 'next-"))
    with open(os.path.join(site, 'page.js'), 'a') as text:
        text.write('\nwindow.wendrixNext = true;\n')
    visit(site_base, size)
    old_page = browser.evaluate('!!window.wendrixNext')
    browser.wait_for('caches.keys().then(names => names.length == 1 && '
                     'names[0].includes(" next-"))', 30)
    visit(site_base, size)
    drawn, how = like(browser.canvas(), first)
    check(not old_page and browser.evaluate('!!window.wendrixNext') and drawn,
          f'a new build replaces the cache {first_cache} at the next visit: '
          f'{browser.evaluate("caches.keys()")}; the first frame, {how}')

    # No network, and nothing in the HTTP cache: the service worker alone has the files.
    browser.send('Network.enable')
    browser.send('Network.clearBrowserCache')
    network(False)
    visit(site_base, size)
    drawn, how = like(browser.canvas(), first)
    check(drawn and browser.evaluate('!!window.wendrixNext'),
          f'offline after a visit: the new build draws the first frame, {how}')
    network(True)

    # No service worker to be had: the page runs all the same, only not offline.
    os.remove(worker)
    errors = len(browser.errors())
    visit(serve(site) + '?frames=1', size)
    drawn, how = like(browser.canvas(), first)
    # A second try settles after the page's own, which is queued before it.
    browser.wait_for("navigator.serviceWorker.register('offline.js').then(() => false, () => true)")
    browser.next_frames()
    thrown = [e for e in browser.errors()[errors:] if e.startswith('Uncaught')]
    check(drawn and said() == [] and not thrown,
          f'no worker to register: the first frame, {how}, and nothing thrown: {thrown}')
except TimeoutError as error:
    check(False, str(error))
finally:
    browser.close()
xsession.finish()
