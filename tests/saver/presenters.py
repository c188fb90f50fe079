"""wendrix-saver's presenters where an X server narrows the choice: at depth 16 no image can be put, and auto
falls back to GL while --present image is refused; without GLX the image draws, the spot light too, and GL is
refused. Each server in a process of its own: python-xlib holds one Xvfb of each set of extensions."""
import os, signal, subprocess, sys
from xsession import Screen, check, exit_status, finish, ripples, start, until

saver, case = os.path.abspath(sys.argv[1]), sys.argv[2]


def refused(screen, args, words):
    done = subprocess.run([saver, '--root'] + args, env=screen.env, capture_output=True, text=True, timeout=20)
    check(done.returncode == 1 and words in done.stderr,
          f'{" ".join(args)}: status {done.returncode}, "{done.stderr.strip()}" names {words!r}')


def draws(screen, args, what):
    """The hack's picture over the whole root, still drawing; its last screenshot."""
    screen.root.clear_area()  # nothing left of the hack before
    screen.d.sync()
    hack = start([saver, '--root', '--seed', '3', '--speed', '0.0001'] + args, env=screen.env)
    shot = until(lambda: (p := screen.shot(0, 0, *screen.size)) and ripples(p) and p, 15)
    check(shot is not None and hack.poll() is None, f'{what}: ripples over the root, still running')
    hack.send_signal(signal.SIGTERM)
    check(exit_status(hack, 5) == [-signal.SIGTERM], f'{what}: ends by SIGTERM')
    return shot or []


if case == 'depth16':
    s = Screen(320, 240, depth=16)
    draws(s, ['--present', 'auto'], 'depth 16, --present auto: the image refused, GL draws')
    refused(s, ['--present', 'image'], 'not 24- or 32-bit TrueColor')
else:
    s = Screen(320, 240, args=['-extension', 'GLX'])
    plain = draws(s, ['--present', 'image'], 'no GLX, --present image')
    lit = draws(s, ['--present', 'auto', '--spotlight'], 'no GLX, --present auto --spotlight: the image')
    # Beyond the light's cone only the scene's ambient half lights the field.
    darker = sum(sum(p >> k & 255 for k in (0, 8, 16)) for p in lit) < 0.7 * sum(
        sum(p >> k & 255 for k in (0, 8, 16)) for p in plain)
    check(darker, 'the spot light dims the image where its cone is not')
    refused(s, ['--present', 'gl'], 'no GLX')
finish()
