"""WebKitGTK's MiniBrowser driven by WebKitWebDriver over WebDriver's HTTP protocol, from Python's
standard library (urllib). Keys are WebDriver's key actions; the viewport is set by the window's
size; reduced motion is asked for as GTK's gtk-enable-animations=0, which WebKitGTK honours, in a
settings.ini of the browser's own XDG_CONFIG_HOME."""
import json, os, socket, subprocess, tempfile, urllib.error, urllib.request
from browsers import Driver, free_port, installed, until_ready, w3c_keys, xsession

MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'


class WebKit(Driver):
    def __init__(self, env, reduced_motion=False):
        driver = installed('/usr/bin/WebKitWebDriver', 'webkit2gtk-driver')
        installed(MINIBROWSER, 'libwebkit2gtk-4.1-0')
        self.reduced_motion = reduced_motion
        self.home = tempfile.TemporaryDirectory(ignore_cleanup_errors=True)
        folders = {name: os.path.join(self.home.name, name) for name in ('config', 'cache', 'data')}
        os.makedirs(os.path.join(folders['config'], 'gtk-3.0'))
        if reduced_motion:
            with open(os.path.join(folders['config'], 'gtk-3.0', 'settings.ini'), 'w') as settings:
                settings.write('[Settings]\ngtk-enable-animations=0\n')
        env = dict(env, XDG_CONFIG_HOME=folders['config'], XDG_CACHE_HOME=folders['cache'],
                   XDG_DATA_HOME=folders['data'], GDK_BACKEND='x11')
        self.address = f'http://127.0.0.1:{free_port()}'
        port = self.address.rsplit(':', 1)[1]
        self.process = xsession.start([driver, f'--port={port}'], env=env, stderr=subprocess.DEVNULL)

        def listening():
            try:
                socket.create_connection(('127.0.0.1', int(port))).close()
                return True
            except OSError:
                return False
        until_ready(listening, 'WebKitWebDriver listened')
        self.session = '/session/' + self._call('POST', '/session', {'capabilities': {'alwaysMatch': {
            'browserName': 'MiniBrowser',
            'webkitgtk:browserOptions': {'binary': MINIBROWSER, 'args': ['--automation']}}}})['sessionId']

    def _call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.address + path, data, method=method,
                                         headers={'Content-Type': 'application/json'})
        try:
            with urllib.request.urlopen(request, timeout=60) as answer:
                return json.load(answer)['value']
        except urllib.error.HTTPError as error:
            raise RuntimeError(f'{method} {path}: {error.read().decode()}') from None

    def evaluate(self, expression):
        return self._call('POST', self.session + '/execute/sync',
                          {'script': f'return ({expression});', 'args': []})

    def _window(self, width, height):
        self._call('POST', self.session + '/window/rect', {'width': width, 'height': height})

    def _go(self, url):
        self._call('POST', self.session + '/url', {'url': url})

    def press(self, keys, held=()):
        self._call('POST', self.session + '/actions', {'actions': w3c_keys(keys, held)})
        self._call('DELETE', self.session + '/actions')

    def close(self):
        try:
            self._call('DELETE', self.session)
        finally:
            xsession.stop(self.process)
            self.home.cleanup()
