"""What the page's tests share, whichever browser engine draws the page: the page's folder served on
127.0.0.1, one interface over the engines' drivers (devtools.py for Chromium, marionette.py for
Firefox, webdriver.py for WebKitGTK) and launch() to start one, the keys they type, a look for
processes a closed browser left behind, and wendrix-render's frames to compare the canvas with."""
import base64, ctypes, functools, http.server, io, os, socket, subprocess, sys, tempfile, threading, time
from PIL import Image, ImageChops

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'x11'))
import xsession  # noqa: E402
from xsession import check  # noqa: E402,F401  (the tests' one way to report a check)

ENGINES = ('chromium', 'firefox', 'webkit')
RENDER_ENV = dict(os.environ, EGL_PLATFORM='surfaceless', LIBGL_ALWAYS_SOFTWARE='1',
                  MESA_SHADER_CACHE_DISABLE='true')
# A process whose parent ends becomes this one's child, not init's: what a browser leaves is seen.
ctypes.CDLL(None).prctl(36, 1)  # PR_SET_CHILD_SUBREAPER

# Keys as a US keyboard sends them: the DOM's code, the Windows key code, whether Shift is held; and
# the same key in wendrix-render's --keys. The modifiers come last.
KEYS = {
    '(': ('Digit9', 57, True, '('), ')': ('Digit0', 48, True, ')'),
    '_': ('Minus', 189, True, '_'), '+': ('Equal', 187, True, '+'),
    '{': ('BracketLeft', 219, True, '{'), '}': ('BracketRight', 221, True, '}'),
    '<': ('Comma', 188, True, '<lt>'), '>': ('Period', 190, True, '>'),
    '?': ('Slash', 191, True, '?'), '-': ('Minus', 189, False, '-'), '=': ('Equal', 187, False, '='),
    '[': ('BracketLeft', 219, False, '['), ']': ('BracketRight', 221, False, ']'),
    ',': ('Comma', 188, False, ','), '.': ('Period', 190, False, '.'),
    'ArrowLeft': ('ArrowLeft', 37, False, '<left>'), 'ArrowRight': ('ArrowRight', 39, False, '<right>'),
    'ArrowUp': ('ArrowUp', 38, False, '<up>'), 'ArrowDown': ('ArrowDown', 40, False, '<down>'),
    'Escape': ('Escape', 27, False, '<esc>'),
    'Shift': ('ShiftLeft', 16, False, None), 'Control': ('ControlLeft', 17, False, None),
    'Alt': ('AltLeft', 18, False, None), 'Meta': ('MetaLeft', 91, False, None),
}
for letter in 'cfnoprstuwl':
    KEYS[letter] = ('Key' + letter.upper(), ord(letter.upper()), False, letter)
# The named keys as WebDriver's key actions spell them.
W3C_KEYS = {'Escape': '\ue00c', 'ArrowLeft': '\ue012', 'ArrowUp': '\ue013', 'ArrowRight': '\ue014',
            'ArrowDown': '\ue015', 'Shift': '\ue008', 'Control': '\ue009', 'Alt': '\ue00a', 'Meta': '\ue03d'}


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    """A static server of folder on 127.0.0.1 (no special headers); its address."""
    server = http.server.ThreadingHTTPServer(
        ('127.0.0.1', 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f'http://127.0.0.1:{server.server_address[1]}/'


def free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


def installed(program, package):
    if not os.access(program, os.X_OK):
        sys.exit(f'FAIL: no {program}: {package} is not installed (scripts/deps.sh test installs it)')
    return program


def until_ready(test, what, seconds=60):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if value := test():
            return value
        time.sleep(0.1)
    raise TimeoutError(f'{what} within {seconds} s')


class Driver:
    """A browser showing one page. Each engine's driver gives evaluate(expression) (a promise
    awaited), _go(url), press(keys, held), close(), and _window(width, height) or a resize(size) of
    its own; reduced_motion starts the browser with reduced motion asked for."""
    reduced_motion = False

    def open(self, url, size=(640, 480)):
        """The page at url, its viewport and canvas size pixels, Wendrix started."""
        self.evaluate('window.wendrixLeft = true')  # the page before tells itself apart
        self.resize(size)
        self._go(url)
        self.wait_for('!window.wendrixLeft && document.title.startsWith("Wendrix") && '
                      'window.Module && Module.calledRun')
        seen = self.evaluate('[innerWidth, innerHeight, canvas.width, canvas.height, '
                             'matchMedia("(prefers-reduced-motion: reduce)").matches]')
        if seen != [*size, *size, self.reduced_motion]:
            raise RuntimeError(f'{url}: viewport, canvas and reduced motion {seen}, not {size} '
                               f'and {self.reduced_motion}')

    def wait_for(self, condition, seconds=60):
        def holds():
            try:
                return self.evaluate(f'Promise.resolve({condition}).then(Boolean)')
            except RuntimeError:
                return False  # asked while the page was leaving: asked again of the next
        until_ready(holds, f'the page never had {condition}', seconds)

    def next_frames(self, count=2):
        """Waits until the page has drawn `count` more frames."""
        self.evaluate('new Promise(done => { let left = %d; const tick = () => --left ? '
                      'requestAnimationFrame(tick) : done(); requestAnimationFrame(tick); })' % (count + 1))

    def canvas(self):
        """The canvas's pixels (its WebGL context keeps its drawing buffer)."""
        url = self.evaluate("document.getElementById('canvas').toDataURL('image/png')")
        return Image.open(io.BytesIO(base64.b64decode(url.split(',', 1)[1]))).convert('RGB')

    def resize(self, size):
        """The window sized so that its viewport is size: the window less its own bars."""
        outer_w, outer_h, inner_w, inner_h = self.evaluate(
            '[outerWidth, outerHeight, innerWidth, innerHeight]')
        if (inner_w, inner_h) != tuple(size):
            self._window(size[0] + outer_w - inner_w, size[1] + outer_h - inner_h)


def w3c_keys(keys, held=()):
    """WebDriver's key actions: the held keys down, each key pressed and let go (with Shift where a
    US keyboard needs it), then the held keys up."""
    def each(kind, names):
        return [{'type': kind, 'value': W3C_KEYS.get(name, name)} for name in names]
    actions = each('keyDown', held)
    for key in keys:
        shift = ['Shift'] if KEYS[key][2] else []
        actions += each('keyDown', shift + [key]) + each('keyUp', [key] + shift)
    return [{'type': 'key', 'id': 'keyboard', 'actions': actions + each('keyUp', held[::-1])}]


_screen = None


def launch(engine, reduced_motion=False):
    """The engine's browser; Firefox and WebKit on an Xvfb of this test's own (headless Firefox
    has no WebGL, and MiniBrowser draws only on a display)."""
    global _screen
    if engine == 'chromium':
        from devtools import Browser
        return Browser(reduced_motion)
    _screen = _screen or xsession.Screen(1920, 1080)
    if engine == 'firefox':
        from marionette import Firefox
        return Firefox(_screen.env, reduced_motion)
    from webdriver import WebKit
    return WebKit(_screen.env, reduced_motion)


def strays(seconds=10):
    """What is left, after seconds, of the processes this test started but its X server: (pid,
    name) each, then killed; the ones that end meanwhile reaped."""
    keep = {_screen.server.pid} if _screen else set()

    def left():
        parents = {}
        for entry in filter(str.isdigit, os.listdir('/proc')):
            try:
                with open(f'/proc/{entry}/stat') as stat:
                    name, rest = stat.read().rsplit(')', 1)
            except (OSError, ValueError):
                continue
            state, parent = rest.split()[:2]
            parents[int(entry)] = (int(parent), name.split('(', 1)[1], state)
        mine = [pid for pid in parents if _descends(pid, parents)]
        for pid in mine:
            if parents[pid][2] == 'Z' and parents[pid][0] == os.getpid() and pid not in keep:
                os.waitpid(pid, os.WNOHANG)
        return [(pid, parents[pid][1]) for pid in mine if pid not in keep and parents[pid][2] != 'Z']

    found = []
    end = time.monotonic() + seconds
    while (found := left()) and time.monotonic() < end:
        time.sleep(0.1)
    for pid, _ in found:
        os.kill(pid, 9)
    return found


def _descends(pid, parents):
    while pid in parents:
        pid = parents[pid][0]
        if pid == os.getpid():
            return True
    return False


_scratch = tempfile.TemporaryDirectory()


def rendered(render, size, frames, frame_ms=16, key_at=(), numbered=False):
    """wendrix-render's frames: the last one, or every one when numbered (a list)."""
    out = os.path.join(_scratch.name, 'r%d.png' if numbered else 'r.png')
    args = [render, '--size', '%dx%d' % tuple(size), '--frames', str(frames), '--frame-ms', str(frame_ms),
            '--out', out]
    for frame, keys in key_at:
        args += ['--key-at', f'{frame}:{keys}']
    subprocess.run(args, check=True, env=RENDER_ENV)
    if not numbered:
        return Image.open(out).convert('RGB')
    return [Image.open(out % i).convert('RGB') for i in range(frames)]


def compare(page, reference, mask=None):
    """The share of pixels exactly alike, and the largest difference in any channel."""
    shares, largest = closeness(page, reference, mask)
    return shares[0], largest


def closeness(page, reference, mask=None):
    """The shares of pixels whose channels are all within 0, 1 and 4 levels, and the largest
    difference in any channel."""
    if page.size != reference.size:
        return (0, 0, 0), 255
    difference = ImageChops.difference(page, reference)
    if mask:
        difference.paste((0, 0, 0), mask)
    red, green, blue = difference.split()
    worst = ImageChops.lighter(ImageChops.lighter(red, green), blue).histogram()
    count = page.width * page.height
    return tuple(sum(worst[:levels + 1]) / count for levels in (0, 1, 4)), max(
        high for _, high in difference.getextrema())


def alike(shares, largest, gpu):
    """The processor's rows: no pixel more than one level away (SwiftShader rounds its own way).
    The GPU's single precision: 99.9% of the pixels within one level, 99.99% within four (scheme
    2's fourth root is steep where the value crosses one half)."""
    return largest <= 1 if not gpu else shares[1] >= 0.999 and shares[2] >= 0.9999


def same(page, reference, what, mask=None, gpu=True, way=None):
    """Whether the page's frame is the renderer's, as alike() judges, drawn the way asked for where
    the page said its way (`way`); the shares are said."""
    shares, largest = closeness(page, reference, mask)
    return check(alike(shares, largest, gpu) and way in (None, 'gpu' if gpu else 'rows'),
                 f'{what}: {shares[0]:.3%} of the pixels exact, {shares[1]:.3%} within one level, '
                 f'{shares[2]:.3%} within four, at most {largest} apart')


def after_key(shot, reference, before, what):
    """After a key or a tap: the renderer's picture after the same keys, as alike() judges the GPU's,
    and not the one before."""
    shares, largest = closeness(shot, reference)
    changed = compare(shot, before)[0] < 1
    return check(alike(shares, largest, True) and changed,
                 f'{what}: {shares[0]:.2%} exact, {shares[1]:.3%} within one level, at most {largest} '
                 f'from wendrix-render, {"changes" if changed else "does not change"} the picture')
