"""What the X tests share: a private Xvfb, children that die with the test, screenshots."""
import atexit, ctypes, os, select, shutil, signal, subprocess, sys, tempfile, time
from Xlib import X, XK, display as xdisplay, error
from Xlib.ext import xtest

_children, _folders, failures, skipped = [], [], [], []
_libc = ctypes.CDLL(None)


def start(argv, env=None, cwd=None, **kw):
    """A child that gets SIGKILL when the test dies and is stopped when it ends."""
    kw = {'stdout': subprocess.DEVNULL, 'stderr': subprocess.PIPE, **kw}
    _children.append(subprocess.Popen(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, text=True,
                                      preexec_fn=lambda: _libc.prctl(1, signal.SIGKILL), **kw))
    return _children[-1]


def stop(child, timeout=3):
    """SIGTERM, then SIGKILL after timeout seconds; always reaped."""
    child.terminate()  # nothing once it has been reaped
    try:
        child.wait(timeout)
    except subprocess.TimeoutExpired:
        child.kill()
        child.wait()


atexit.register(lambda: [stop(c) for c in reversed(_children)] + [shutil.rmtree(f, True) for f in _folders])


def scratch():
    """A folder of the test's own, removed once the children have stopped."""
    _folders.append(tempfile.mkdtemp(prefix='wendrix-x11-'))
    return _folders[-1]


def until(test, timeout, step=0.05):
    """test()'s first true value within timeout seconds, else None."""
    end = time.monotonic() + timeout
    while not (value := test()) and time.monotonic() <= end:
        time.sleep(step)
    return value or None


def exit_status(child, timeout, step=0.05):
    """[its exit status] once the child has ended, within timeout seconds; else None."""
    return until(lambda: child.poll() is not None and [child.returncode], timeout, step)


def fades_out(screen, window, child):
    """Escape typed, the program fades out and ends with status 0 within 2.5 to 4 s."""
    screen.key('Escape', window)
    escaped = time.monotonic()
    status = exit_status(child, 10)
    took = time.monotonic() - escaped
    return check(status == [0] and 2.5 <= took <= 4, f'Escape: fades out, exit status {status} after {took:.2f} s')


def check(ok, what, fatal=False):
    print(('ok   ' if ok else 'FAIL ') + what, flush=True)
    failures.extend([] if ok else [what])
    return ok if ok or not fatal else finish()  # a fatal check that fails ends the test


def skip(what):
    """A check this machine cannot make: said, and the test ends as skipped (77) if all else passed."""
    print('SKIP ' + what, flush=True)
    skipped.append(what)


def finish():
    print(f'{len(failures)} failed' if failures else f'all passed, {len(skipped)} skipped' if skipped else 'all passed')
    sys.exit(1 if failures else 77 if skipped else 0)


class Screen:
    """Xvfb at width x height and depth on a free display (with that many screens alike, and Xvfb's own
    further arguments), and a connection to it."""

    def __init__(self, width, height, screens=1, args=(), depth=24):
        read, write = os.pipe()
        sizes = [word for n in range(screens) for word in ('-screen', str(n), f'{width}x{height}x{depth}')]
        self.server = start(['Xvfb', '-displayfd', str(write)] + sizes + ['-nolisten', 'tcp', '-br', *args],
                            pass_fds=[write])
        os.close(write)
        with os.fdopen(read) as pipe:  # the display's number and a newline, once it is ready
            number = pipe.readline() if select.select([pipe], [], [], 20)[0] else ''
        if not number.endswith('\n'):
            sys.exit('Xvfb gave no display: ' + self.server.stderr.read())
        self.name = ':' + number.strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.d = xdisplay.Display(self.name)
        self.root = self.d.screen().root
        self.size = (width, height)

    def find(self, title, timeout=15):
        def look():
            for w in self.root.query_tree().children:
                try:
                    if w.get_wm_name() == title and w.get_attributes().map_state == X.IsViewable:
                        return w
                except error.BadWindow:  # gone since the tree was read
                    pass
        return until(look, timeout)

    def geometry(self, w):
        g, at = w.get_geometry(), w.translate_coords(self.root, 0, 0)
        return (-at.x, -at.y, g.width, g.height)

    def shot(self, x=0, y=0, w=None, h=None, screen=0):
        """Pixels of a screen rectangle as 0xRRGGBB integers, row by row."""
        w, h = self.size[0] - x if w is None else w, self.size[1] - y if h is None else h
        data = self.d.screen(screen).root.get_image(x, y, w, h, X.ZPixmap, 0xffffffff).data if w and h else b''
        return [p & 0xffffff for p in memoryview(data).cast('I')]

    def key(self, name, window, times=1):
        """Types the key named by its keysym into window, with Shift where the keysym needs it."""
        sym = XK.string_to_keysym(name)
        code, shift = self.d.keysym_to_keycode(sym), self.d.keysym_to_keycode(XK.XK_Shift_L)
        shifted = [shift] if self.d.keycode_to_keysym(code, 0) != sym else []
        window.set_input_focus(X.RevertToPointerRoot, X.CurrentTime)
        for kind, keys in [(X.KeyPress, shifted + [code]), (X.KeyRelease, [code] + shifted)] * times:
            for key in keys:
                xtest.fake_input(self.d, kind, key)
        self.d.sync()


def icon_sizes(screen, window):
    """The sides of the window's _NET_WM_ICON pictures; 'bad' for one that is not a square blue
    picture of 16 pixels or more (the program's icon is a frame of scheme 0)."""
    prop = window.get_full_property(screen.d.intern_atom('_NET_WM_ICON'), X.AnyPropertyType)
    v, sizes = prop.value if prop else [], []
    while len(v) > 2:
        w, h, pixels, v = v[0], v[1], v[2:2 + v[0] * v[1]], v[2 + v[0] * v[1]:]
        blue = sum(p & 255 for p in pixels) > 2 * sum(p >> 16 & 255 for p in pixels)
        sizes.append(w if w == h >= 16 and len(pixels) == w * h and len(set(pixels)) > 8 and blue else 'bad')
    return sizes


def fills(screen, x, y, w, h):
    """Ripples in each quarter of the rectangle, black all around it."""
    W, H, q = screen.size[0], screen.size[1], (w // 2, h // 2)
    return all(ripples(screen.shot(x + i * q[0], y + j * q[1], *q)) for i in (0, 1) for j in (0, 1)) and all(
        black(screen.shot(*r)) for r in [(0, 0, W, y), (0, y + h, W, H - y - h), (0, y, x, h), (x + w, y, W - x - w, h)])


def ripples(pixels):
    """The picture is there: a wide spread of colours (one pixel in 7 looked at), as no flat fill has."""
    return len(set(pixels[::7])) > 40


def black(pixels):
    return not any(pixels)


def differences(a, b):
    """How far two pictures are apart, channel by channel of each pixel, 0 to 255."""
    return [abs((x >> k & 255) - (y >> k & 255)) for x, y in zip(a, b) for k in (0, 8, 16)]
