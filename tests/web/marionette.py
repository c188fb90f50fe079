"""Firefox ESR driven over Marionette, from Python's standard library: a fresh profile whose user.js
names the port (and asks for reduced motion where wanted), then on that TCP port messages
`LENGTH:JSON`, the browser's hello first, each command [0, id, name, parameters] answered by
[1, id, error, result]. Keys are WebDriver's key actions; the viewport is set by the window's size."""
import json, socket, subprocess, tempfile
from browsers import Driver, free_port, installed, until_ready, w3c_keys, xsession

PREFERENCES = {
    'browser.shell.checkDefaultBrowser': False, 'browser.startup.homepage_override.mstone': 'ignore',
    'browser.aboutwelcome.enabled': False, 'app.update.disabledForTesting': True,
    'datareporting.policy.dataSubmissionEnabled': False, 'toolkit.telemetry.reportingpolicy.firstRun': False,
}


class Firefox(Driver):
    def __init__(self, env, reduced_motion=False):
        firefox = installed('/usr/bin/firefox-esr', 'firefox-esr')
        self.reduced_motion = reduced_motion
        self.profile = tempfile.TemporaryDirectory(ignore_cleanup_errors=True)
        port = free_port()
        preferences = dict(PREFERENCES, **{'marionette.port': port},
                           **({'ui.prefersReducedMotion': 1} if reduced_motion else {}))
        with open(f'{self.profile.name}/user.js', 'w') as user:
            user.writelines(f'user_pref("{name}", {json.dumps(value)});\n'
                            for name, value in preferences.items())
        self.process = xsession.start([firefox, '--marionette', '-profile', self.profile.name, '-no-remote'],
                                      env=env, stderr=subprocess.DEVNULL)

        def connect():
            try:
                return socket.create_connection(('127.0.0.1', port))
            except OSError:
                return None
        self.socket = until_ready(connect, 'Firefox listened for Marionette')
        self.replies = self.socket.makefile('rb')
        self._receive()  # the hello
        self.number = 0
        self._call('WebDriver:NewSession')

    def _receive(self):
        length = b''
        while (byte := self.replies.read(1)) != b':':
            if not byte:
                raise RuntimeError('Marionette closed the connection')
            length += byte
        return json.loads(self.replies.read(int(length)))

    def _call(self, name, **parameters):
        self.number += 1
        message = json.dumps([0, self.number, name, parameters]).encode()
        self.socket.sendall(b'%d:%s' % (len(message), message))
        _, number, error, result = self._receive()
        if error or number != self.number:
            raise RuntimeError(f'{name}: {error}')
        return result

    def evaluate(self, expression):
        return self._call('WebDriver:ExecuteScript', script=f'return ({expression});', args=[])['value']

    def _window(self, width, height):
        self._call('WebDriver:SetWindowRect', width=width, height=height)

    def _go(self, url):
        self._call('WebDriver:Navigate', url=url)

    def press(self, keys, held=()):
        self._call('WebDriver:PerformActions', actions=w3c_keys(keys, held))
        self._call('WebDriver:ReleaseActions')

    def close(self):
        try:
            self._call('Marionette:Quit', flags=['eForceQuit'])
            self.process.wait(30)
        finally:
            xsession.stop(self.process)
            self.socket.close()
            self.profile.cleanup()
