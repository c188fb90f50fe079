"""wendrix under valgrind's memcheck on a small Xvfb: every key, the mouse, resizes, then the fade to its end.
Passes when it ends by its fade with status 0 and memcheck reports no error beyond mesa.supp's."""
import os, sys, time
from xsession import Screen, scratch, X, check, exit_status, finish, start, until, xtest

wendrix, log = os.path.abspath(sys.argv[1]), sys.argv[2]
s = Screen(240, 180)  # a small screen keeps frames affordable under memcheck
# softpipe, Mesa's rasteriser without a JIT: llvmpipe's generated code is opaque to memcheck and slow under it.
env = dict(s.env, LIBGL_ALWAYS_SOFTWARE='1', GALLIUM_DRIVER='softpipe')
program = start(['valgrind', '--error-exitcode=99', '--num-callers=40', '--keep-debuginfo=yes', '--leak-check=full',
                 '--show-leak-kinds=definite', '--errors-for-leak-kinds=definite', '--gen-suppressions=all',
                 '--suppressions=' + os.path.join(os.path.dirname(__file__), 'mesa.supp'), '--log-file=' + log,
                 wendrix], env=env, cwd=scratch())
win = s.find('Wendrix', 120)
check(win is not None, 'a window under valgrind', fatal=True)
keys = ('question slash space parenleft parenright plus underscore minus equal bracketleft bracketright '
        'braceleft braceright comma period less greater c C l L n N o O p P s S t T u U w W w '
        'Left Right Up Down F1 Home a 1 r f')
for key in keys.split():
    s.key(key, win)
    time.sleep(0.3)
for button, kind in [(1, X.ButtonPress), (1, X.ButtonRelease), (3, X.ButtonPress), (3, X.ButtonRelease)]:
    xtest.fake_input(s.d, kind, button)
check(until(lambda: s.geometry(win)[2:] == (512, 512), 10), 'f: a 512x512 window, so the keys arrive')
for size in [(120, 90), (1, 1), (200, 150)]:
    win.configure(width=size[0], height=size[1])
    s.d.sync()
    time.sleep(1.5)
s.key('F', win)
time.sleep(1.5)
s.key('Escape', win)
status = exit_status(program, 240)
check(status == [0], f'the fade ends it with status 0 (99: memcheck found errors; see {log}): {status}')
finish()
