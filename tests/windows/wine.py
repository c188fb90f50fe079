"""What the Wine tests share: the prefix of the test run, Wine's environment, and Windows
programs started under it on a private Xvfb (tests/x11/xsession.py).

As a command: wine.py PREFIX --boot (a fresh prefix), --end (every process of it ended),
--run PROGRAM [ARG...] (its exit status, on a private Xvfb). A missing Wine is a failure, never a skip."""
import os, shutil, subprocess, sys
sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'x11'))
import xsession


def environment(prefix, display=None):
    """Quiet, without the Mono and Gecko prompts, and writing no menu entries into the Linux desktop."""
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG='-all',
               WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe=')
    env.pop('DISPLAY', None)
    if display:
        env['DISPLAY'] = display
    return env


def start(prefix, screen, argv, **kw):
    """A Windows program on the screen's display; its exit status is wine's."""
    return xsession.start(['wine'] + argv, env=environment(prefix, screen.name), **kw)


def reg(prefix, *args):
    """Wine's reg.exe: add, delete, query, as on Windows; its output as text."""
    return subprocess.run(['wine', 'reg'] + list(args), env=environment(prefix), capture_output=True, text=True)


def windows_path(path):
    """A Linux path as Windows programs under Wine name it: drive Z: is the Linux root."""
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


def end(prefix):
    """Ends every process of the prefix and waits for its server to go."""
    subprocess.run(['wineserver', '-k'], env=environment(prefix), check=False)
    subprocess.run(['wineserver', '-w'], env=environment(prefix), check=True)


def boot(prefix):
    shutil.rmtree(prefix, ignore_errors=True)
    subprocess.run(['wineboot', '-i'], env=environment(prefix), check=True, capture_output=True)
    end(prefix)
    return 0 if os.path.isdir(os.path.join(prefix, 'drive_c', 'windows')) else 1


if __name__ == '__main__':
    prefix, what = sys.argv[1], sys.argv[2]
    if what == '--boot':
        sys.exit(boot(prefix))
    if what == '--end':
        sys.exit(end(prefix))
    # Even a window never shown needs Wine's display driver, so an X server.
    screen = xsession.Screen(640, 480)
    sys.exit(subprocess.run(['wine'] + sys.argv[3:], env=environment(prefix, screen.name)).returncode)
