"""Headless Chromium driven over the DevTools protocol on --remote-debugging-pipe (fd 3 takes
the commands, fd 4 gives the answers and events, each message JSON ended by a NUL), from Python's
standard library: the viewport set by device metrics, keys typed by Input.dispatchKeyEvent and
reduced motion asked for by media emulation."""
import json, os, subprocess, tempfile, threading
from browsers import KEYS, Driver, installed

CHROMIUM_FLAGS = ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                  '--no-first-run', '--no-default-browser-check', '--disable-extensions',
                  '--mute-audio', '--remote-debugging-pipe']
# DevTools' modifier bits.
HELD = {'Alt': 1, 'Control': 2, 'Meta': 4, 'Shift': 8}


class Browser(Driver):
    def __init__(self, reduced_motion=False):
        chromium = installed('/usr/bin/chromium', 'chromium')
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
        self.reduced_motion = reduced_motion
        self.send('Emulation.setEmulatedMedia', features=[
            {'name': 'prefers-reduced-motion', 'value': 'reduce' if reduced_motion else 'no-preference'}])

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

    def resize(self, size):
        self.send('Emulation.setDeviceMetricsOverride', width=size[0], height=size[1],
                  deviceScaleFactor=1, mobile=False)

    def _go(self, url):
        self.send('Page.navigate', url=url)

    def press(self, keys, held=()):
        """Each key down and up as the keyboard sends it, the held keys down around them all."""
        def send(kind, name, modifiers):
            code, vk = KEYS[name][:2]
            text = dict(text=name) if kind == 'keyDown' and len(name) == 1 and not modifiers & 7 else {}
            self.send('Input.dispatchKeyEvent', type=kind, key=name, code=code, windowsVirtualKeyCode=vk,
                      modifiers=modifiers, **text)
        modifiers = 0
        for name in held:
            modifiers |= HELD[name]
            send('rawKeyDown', name, modifiers)
        for key in keys:
            shift = ['Shift'] if KEYS[key][2] else []
            for name in shift:
                send('rawKeyDown', name, modifiers | HELD[name])
            send('keyDown', key, modifiers | (HELD['Shift'] if shift else 0))
            send('keyUp', key, modifiers | (HELD['Shift'] if shift else 0))
            for name in shift:
                send('keyUp', name, modifiers)
        for name in reversed(held):
            modifiers &= ~HELD[name]
            send('keyUp', name, modifiers)

    def close(self):
        try:
            self.call('Browser.close', timeout=5)
        except (RuntimeError, TimeoutError):
            pass  # the pipe may close before the answer comes
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.profile.cleanup()
