"""What the X tests share: a private Xvfb, children that die with the test, screenshots."""
import atexit, ctypes, os, select, signal, subprocess, sys, time
from Xlib import X, XK, display as xdisplay
from Xlib.ext import xtest

_children = []
_libc = ctypes.CDLL(None)


def start(argv, env=None, cwd=None, **kw):
    """A child that gets SIGKILL when the test dies and is stopped when it ends."""
    child = subprocess.Popen(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, text=True,
                             stdout=kw.pop('stdout', subprocess.DEVNULL),
                             stderr=kw.pop('stderr', subprocess.PIPE),
                             preexec_fn=lambda: _libc.prctl(1, signal.SIGKILL), **kw)
    _children.append(child)
    return child


def stop(child, timeout=3):
    if child.poll() is None:
        child.terminate()
        try:
            child.wait(timeout)
        except subprocess.TimeoutExpired:
            child.kill()
            child.wait()
    return child.returncode


atexit.register(lambda: [stop(c) for c in reversed(_children)])


def until(test, timeout, step=0.05):
    """test()'s first true value within timeout seconds, else None."""
    end = time.monotonic() + timeout
    while True:
        value = test()
        if value or time.monotonic() > end:
            return value or None
        time.sleep(step)


failures = []


def check(ok, what):
    print(('ok   ' if ok else 'FAIL ') + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def finish():
    print(f'{len(failures)} failed' if failures else 'all passed')
    sys.exit(1 if failures else 0)


class Screen:
    """Xvfb at width x height on a free display, and a connection to it."""

    def __init__(self, width, height):
        read, write = os.pipe()
        self.server = start(['Xvfb', '-displayfd', str(write), '-screen', '0',
                             f'{width}x{height}x24', '-nolisten', 'tcp', '-br'], pass_fds=[write])
        os.close(write)
        number = b''
        while not number.endswith(b'\n') and select.select([read], [], [], 20)[0]:
            chunk = os.read(read, 16)
            number += chunk
            if not chunk:
                break
        os.close(read)
        if not number.endswith(b'\n'):
            sys.exit('Xvfb gave no display: ' + self.server.stderr.read())
        self.name = ':' + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.d = xdisplay.Display(self.name)
        self.root = self.d.screen().root
        self.size = (width, height)

    def window(self, wid):
        return self.d.create_resource_object('window', wid)

    def toplevels(self):
        return [w.id for w in self.root.query_tree().children]

    def find(self, title, timeout=15):
        def look():
            for w in self.root.query_tree().children:
                if w.get_wm_name() == title and w.get_attributes().map_state == X.IsViewable:
                    return w
        return until(look, timeout)

    def geometry(self, w):
        g = w.get_geometry()
        at = w.translate_coords(self.root, 0, 0)
        return (-at.x, -at.y, g.width, g.height)

    def shot(self, x=0, y=0, w=None, h=None):
        """Pixels of a screen rectangle as 0xRRGGBB integers, row by row."""
        w, h = w or self.size[0] - x, h or self.size[1] - y
        data = self.root.get_image(x, y, w, h, X.ZPixmap, 0xffffffff).data
        return [p & 0xffffff for p in memoryview(data).cast('I')]

    def key(self, name, window=None):
        sym = XK.string_to_keysym(name)
        code = self.d.keysym_to_keycode(sym)
        shift = self.d.keycode_to_keysym(code, 0) != sym
        if window:
            window.set_input_focus(X.RevertToPointerRoot, X.CurrentTime)
        shift_code = self.d.keysym_to_keycode(XK.XK_Shift_L)
        for kind, c in [(X.KeyPress, shift_code)] * shift + [(X.KeyPress, code), (X.KeyRelease, code)] + [(X.KeyRelease, shift_code)] * shift:
            xtest.fake_input(self.d, kind, c)
        self.d.sync()


def colours(pixels, stride=7):
    return len(set(pixels[::stride]))


def ripples(pixels):
    """The picture is there: a wide spread of colours, as no flat fill has."""
    return colours(pixels) > 40


def black(pixels):
    return not any(pixels)
