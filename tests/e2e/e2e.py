"""wendrix on Xvfb as a user runs it: each row types keys through XTest, then waits for what must be seen."""
import os, shutil, signal, subprocess, sys, time
from xsession import skip, Screen, scratch, check, fades_out, finish, icon_sizes, ripples, start, stop, until

wendrix, version, installed_font = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3]
W, H = 1280, 720
s = Screen(W, H)
launched = time.monotonic()
program = start(['nohup', wendrix], env=s.env, cwd=scratch())  # SIGHUP ignored from its start
win = s.find('Wendrix')
check(win is not None, 'a window titled Wendrix', fatal=True)
red = lambda px: sum(p > 0x80ffff for p in px)  # white text; schemes 0 and 1 have no red
green = lambda px: sum((p >> 8 & 255) > 8 for p in px)
field = lambda: s.shot(0, 72, W, H - 144)
full = lambda: s.geometry(win)[2:] == (W, H) and max(map(abs, s.geometry(win)[:2])) <= 1

# The keys' pictures are the golden frames' and their values the key table's (app/Controls_test.txt): here one key
# shows that typing reaches the program, and f what only a real window does.
rows = [  # keys; what must be seen then; its probe; a test of its value, if not truth. Timed rows come first.
    ('', 'the start message at top left, no text elsewhere; scheme 0 has green',
     lambda: red(s.shot(0, 0, 300, 30)) > 150 and red(s.shot(0, 40)) == 0 and ripples(field())
     and green(field()) > 5000),
    ('', 'the start message gone 3 s after start', lambda: red(s.shot()) == 0 and time.monotonic() - launched,
     lambda t: 2.9 < t < 5.5),
    ('', 'full screen at 1280x720', full),
    ('', 'WM_CLASS wendrix, Wendrix', lambda: win.get_wm_class() == ('wendrix', 'Wendrix')),
    ('', '_NET_WM_ICON: square blue pictures of 16 pixels or more', lambda: icon_sizes(s, win) and 'bad' not in icon_sizes(s, win)),
    ('o', 'scheme 1 has no green; its message', lambda: green(field()) == 0 and red(s.shot(0, 0, 300, 30)) > 150),
    ('f', 'a 512x512 window', lambda: s.geometry(win)[2:] == (512, 512)),
    ('f', 'full screen again', full),
    ('f .02 f', 'f twice 20 ms apart: still full screen once the first one\'s resize was due',
     lambda: time.sleep(0.5) or full()),
]
for keys, what, probe, *accept in rows:
    for key in keys.split():  # a number is a pause in seconds
        time.sleep(float(key)) if key[0] == '.' else s.key(key, win)
    value = until(probe, 6)
    check(value is not None and (accept[0] if accept else bool)(value), f'{keys or "-":>8}: {what}')

program.send_signal(signal.SIGHUP)  # ignored at start, it stays ignored
fades_out(s, win, program)

# Answered without a display, and so without a window: the usage, the version after each of GLUT's options with
# what it takes, a wrong option, and one of GLUT's without its value.
no_display = {k: v for k, v in os.environ.items() if k != 'DISPLAY'}
glut = [['-display', ':9'], ['-geometry', '640x480+0+0'], ['-iconic'], ['-direct'], ['-indirect'], ['-gldebug'],
        ['-sync']]
for args, status, out, err in [(['--help'], 0, 'Toggle Pause On/Off', ''), (['-h'], 0, 'usage: wendrix', ''),
                               (['-help'], 0, 'usage: wendrix', ''),
                               (['-sync', '--bogus'], 2, '', 'wendrix: unknown option --bogus\nusage: wendrix ')] + [
        (option + ['--version'], 0, f'wendrix {version}\n', '') for option in glut] + [
        ([name], 2, '', f'wendrix: {name} needs a value\nusage: wendrix ') for name, *value in glut if value]:
    done = subprocess.run([wendrix] + args, env=no_display, capture_output=True, text=True, timeout=5)
    check(done.returncode == status and out in done.stdout and done.stderr.startswith(err),
          f'{args} without a display: {done.returncode} {done.stderr[:60]!r}')

# A copy with no font.bmp beside it, started elsewhere; its display given on the command line.
if os.path.exists(installed_font):
    skip(f'the start without a font: {installed_font} is installed')
else:
    bare = scratch()
    shutil.copy(wendrix, bare)
    program = start([os.path.join(bare, 'wendrix'), '-display', s.name], env=no_display, cwd='/')
    win = s.find('Wendrix')
    check(win is not None and until(lambda: ripples(field()), 5), '-display reaches GLUT; no font, it still runs')
    stop(program)
    err = program.stderr.read()
    check(err.startswith('wendrix: no usable font.bmp') and err.count('\n') == 1, f'no font: one line {err!r}')
finish()
