"""Headless Chromium driven over the DevTools protocol on --remote-debugging-pipe (fd 3 takes
the commands, fd 4 gives the answers and events, each message JSON ended by a NUL), and the
page's folder served on 127.0.0.1: all from Python's standard library; and two frames compared
with PIL."""
import base64, functools, http.server, io, json, os, shutil, subprocess, tempfile, threading
import time

CHROMIUM_FLAGS = ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                  '--no-first-run', '--no-default-browser-check', '--disable-extensions',
                  '--mute-audio', '--remote-debugging-pipe']


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    """A static server of folder on 127.0.0.1 (no special headers); its address."""
    server = http.server.ThreadingHTTPServer(
        ('127.0.0.1', 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f'http://127.0.0.1:{server.server_address[1]}/'


def compare(page, reference, mask=None):
    """The share of pixels exactly alike, and the largest difference in any channel; the box
    mask (left, top, right, bottom) left out."""
    from PIL import ImageChops
    difference = ImageChops.difference(page, reference)
    if mask:
        difference.paste((0, 0, 0), mask)
    largest = max(high for _, high in difference.getextrema())
    exact = difference.convert('L').point(lambda v: 255 if v == 0 else 0).histogram()[255]
    return exact / (page.width * page.height), largest


class Browser:
    def __init__(self):
        chromium = shutil.which('chromium')
        if chromium is None:
            raise SystemExit('FAIL: chromium is not installed (scripts/deps.sh test installs it)')
        self.profile = tempfile.TemporaryDirectory(ignore_cleanup_errors=True)
        to_browser, self._commands = os.pipe()
        self._answers, from_browser = os.pipe()

        def as_fds_3_and_4():
            a, b = os.dup(to_browser), os.dup(from_browser)
            os.dup2(a, 3)
            os.dup2(b, 4)

        args = [chromium, *CHROMIUM_FLAGS, f'--user-data-dir={self.profile.name}']
        if os.geteuid() == 0:
            args.append('--no-sandbox')  # Chromium refuses to run as root with its sandbox
        self.process = subprocess.Popen(args + ['about:blank'], pass_fds=(3, 4),
                                        preexec_fn=as_fds_3_and_4, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        self._next = 0
        self._lock = threading.Condition()
        self._replies = {}
        self.events = []
        threading.Thread(target=self._read, daemon=True).start()
        page = next(t for t in self.call('Target.getTargets')['targetInfos'] if t['type'] == 'page')
        self.session = self.call('Target.attachToTarget', targetId=page['targetId'],
                                 flatten=True)['sessionId']
        for domain in ('Page', 'Runtime', 'Log'):
            self.send(f'{domain}.enable')

    def _read(self):
        buffered = b''
        with os.fdopen(self._answers, 'rb', buffering=0) as pipe:
            while chunk := pipe.read(65536):
                buffered += chunk
                *messages, buffered = buffered.split(b'\0')
                for raw in messages:
                    message = json.loads(raw)
                    with self._lock:
                        if 'id' in message:
                            self._replies[message['id']] = message
                        else:
                            self.events.append(message)
                        self._lock.notify_all()

    def call(self, method, session=None, timeout=30, **params):
        with self._lock:
            self._next += 1
            number = self._next
        message = {'id': number, 'method': method, 'params': params}
        if session:
            message['sessionId'] = session
        os.write(self._commands, json.dumps(message).encode() + b'\0')
        with self._lock:
            if not self._lock.wait_for(lambda: number in self._replies, timeout):
                raise TimeoutError(f'{method}: no answer in {timeout} s')
            reply = self._replies.pop(number)
        if 'error' in reply:
            raise RuntimeError(f'{method}: {reply["error"]}')
        return reply['result']

    def send(self, method, **params):
        """A command to the page."""
        return self.call(method, session=self.session, **params)

    def evaluate(self, expression, timeout=30):
        """The value of a JavaScript expression in the page, a promise awaited."""
        result = self.send('Runtime.evaluate', expression=expression, awaitPromise=True,
                           returnByValue=True, timeout=timeout * 1000)
        if 'exceptionDetails' in result:
            raise RuntimeError(f'{expression}: {result["exceptionDetails"]}')
        return result['result'].get('value')

    def errors(self):
        """The console's errors and the page's uncaught exceptions so far."""
        with self._lock:
            events = list(self.events)
        found = []
        for event in events:
            method, params = event['method'], event.get('params', {})
            if method == 'Runtime.consoleAPICalled' and params['type'] in ('error', 'assert'):
                found.append(' '.join(str(a.get('value', a.get('description'))) for a in params['args']))
            elif method == 'Runtime.exceptionThrown':
                found.append(params['exceptionDetails'].get('text', 'exception'))
            elif method == 'Log.entryAdded' and params['entry']['level'] == 'error':
                found.append(params['entry']['text'])
        return found

    def wait_for(self, condition, seconds=60):
        """Waits until a JavaScript condition, or the promise of one, holds in the page."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.evaluate(f'Promise.resolve({condition}).then(Boolean)'):
                return
            time.sleep(0.1)
        raise TimeoutError(f'the page never had {condition}')

    def next_frames(self, count=2):
        """Waits until the page has drawn `count` more frames."""
        self.evaluate('new Promise(done => { let left = %d; const tick = () => --left ? '
                      'requestAnimationFrame(tick) : done(); requestAnimationFrame(tick); })'
                      % (count + 1))

    def canvas(self):
        """The canvas's pixels as PIL would open them."""
        from PIL import Image
        url = self.evaluate("document.getElementById('canvas').toDataURL('image/png')")
        return Image.open(io.BytesIO(base64.b64decode(url.split(',', 1)[1]))).convert('RGB')

    def close(self):
        self.process.kill()
        self.process.wait()
        self.profile.cleanup()
