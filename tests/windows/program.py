"""wendrix.exe under Wine on Xvfb, as a Windows user runs it: each row types keys through XTest,
then waits for what must be seen; then Escape's fade and the exit status."""
import os, sys, time
import wine
from xsession import Screen, check, fades_out, fills, finish, icon_sizes, scratch, until

prefix, program = sys.argv[1], os.path.abspath(sys.argv[2])
W, H = 800, 600
s = Screen(W, H)
exe = wine.start(prefix, s, [program], cwd=scratch())
win = s.find('Wendrix', timeout=30)
check(win is not None, 'a window titled Wendrix', fatal=True)
at = lambda x, y, w, h: s.geometry(win) == (x, y, w, h) and fills(s, x, y, w, h)  # the inside there, ripples only in it

# What a key does to the picture is the key table's (app/Controls_test.txt, also run under Wine): here f shows
# that typing reaches the program, and what only a real window does.
rows = [  # keys; what must be seen then; its probe
    ('', 'full screen over the monitor, ripples everywhere', lambda: at(0, 0, W, H)),
    ('', 'its icon: square blue pictures of 16 pixels or more', lambda: 'bad' not in (icon_sizes(s, win) or ['bad'])),
    ('f', 'a window with a 512x512 inside', lambda: s.geometry(win)[2:] == (512, 512) and at(*s.geometry(win))),
    ('f', 'full screen again', lambda: at(0, 0, W, H)),
]
for keys, what, probe in rows:
    for key in keys.split():
        s.key(key, win)
    check(until(probe, 8) is not None, f'{keys or "-":>3}: {what}')

# The arrows come as WM_KEYDOWN and must reach the special-key handler as GLUT's Down and
# Up: the ripple frequency falls, then rises, and the blue's steps along a row with it
# (swapped, the second count would be the smaller).
def steps():
    row = [p & 255 for p in s.shot(0, H // 2, W, 1)]
    return sum(row[i] // 32 != row[i - 1] // 32 for i in range(1, W))


s.key('Down', win, times=12)
time.sleep(0.3)
fewer = steps()
s.key('Up', win, times=24)
more = until(lambda: steps() > 2 * fewer and steps(), 5)
check(more is not None, f'Down x12, then Up x24: {fewer} steps of blue along a row, then {more}')

fades_out(s, win, exe)
finish()
