"""What the Wine tests share: the prefix of the test run, Wine's environment, and Windows
programs started under it on a private Xvfb (tests/x11/xsession.py).

As a command: wine.py PREFIX --boot (a fresh prefix), --end (every process of it ended),
--run PROGRAM [ARG...] (its exit status, on a private Xvfb). A missing Wine is a failure, never a skip."""
import os, shutil, subprocess, sys
import xsession


def environment(prefix, display=None):
    """Quiet, without the Mono and Gecko prompts, and writing no menu entries into the Linux desktop."""
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG='-all',
               WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe=', DISPLAY=display)
    return {name: value for name, value in env.items() if value is not None}


def start(prefix, screen, argv, **kw):
    """A Windows program on the screen's display; its exit status is wine's."""
    return xsession.start(['wine'] + argv, env=environment(prefix, screen.name), **kw)


def run(prefix, *argv):  # a Windows command to its end: reg.exe, taskkill.exe, ...
    return subprocess.run(['wine'] + list(argv), env=environment(prefix), capture_output=True, text=True)


def reg(prefix, *args):  # Wine's reg.exe: add, delete, query, as on Windows
    return run(prefix, 'reg', *args)


def end(prefix):  # every process of the prefix ended, and its server gone
    subprocess.run(['wineserver', '-k'], env=environment(prefix), check=False)
    subprocess.run(['wineserver', '-w'], env=environment(prefix), check=True)


def boot(prefix):
    shutil.rmtree(prefix, ignore_errors=True)
    subprocess.run(['wineboot', '-i'], env=environment(prefix), check=True, capture_output=True)
    end(prefix)
    return 0 if os.path.isdir(os.path.join(prefix, 'drive_c', 'windows')) else 1


if __name__ == '__main__':
    prefix, what = sys.argv[1], sys.argv[2]
    if what in ('--boot', '--end'):
        sys.exit(boot(prefix) if what == '--boot' else end(prefix))
    # Even a window never shown needs Wine's display driver, so an X server.
    screen = xsession.Screen(640, 480)
    sys.exit(subprocess.run(['wine'] + sys.argv[3:], env=environment(prefix, screen.name)).returncode)
