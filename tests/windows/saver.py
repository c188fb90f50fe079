"""wendrix.scr under Wine on Xvfb, as Windows starts it: /s over the screen and its end by input,
the settings in the registry changing what /s draws, its GL and image presenters side by side, /c
(/p is Preview_test.cpp's, in windows_unit)."""
import os, sys, time
import wine
from Xlib import X
from Xlib.ext import xtest
from xsession import Screen, black, check, differences, exit_status, fills, finish, scratch, until

prefix, scr = sys.argv[1], os.path.abspath(sys.argv[2])
W, H = 800, 600
s = Screen(W, H)
KEY = r'HKCU\Software\Wendrix'


def saver(*args):
    """The saver started as Windows starts it, and its window once it draws."""
    program = wine.start(prefix, s, [scr] + list(args), cwd=scratch())
    return program, s.find('Wendrix', timeout=30)


def pointer(x, y):
    xtest.fake_input(s.d, X.MotionNotify, x=x, y=y)
    s.d.sync()


def press(button):
    """A button pressed and let go where the pointer is, without a move (4: the wheel)."""
    for kind in [X.ButtonPress, X.ButtonRelease]:
        xtest.fake_input(s.d, kind, button)
    s.d.sync()


def steps(y):
    row = s.shot(0, y, W, 1)
    return [i for i in range(1, W) if row[i] != row[i - 1]]


# /s, ended each time by one kind of input (a key: installer.py's); a drift of 2 pixels is no move.
others = []
at = lambda: (s.root.query_pointer().root_x, s.root.query_pointer().root_y)
for what, before, act in [('a mouse button', lambda: None, lambda: press(1)),
                          ('the mouse wheel', lambda: None, lambda: press(4)),
                          ('another program come to the front', lambda: None,
                           lambda: others.append(wine.start(prefix, s, ['notepad']))),
                          ('a move of 40 pixels, not one of 2', lambda: pointer(at()[0] + 2, at()[1]),
                           lambda: pointer(at()[0] + 40, at()[1]))]:
    pointer(10, 10)  # where the saver finds it: the buttons' ends are theirs alone
    program, win = saver('/s')
    shown = win is not None and until(lambda: fills(s, 0, 0, W, H), 15)
    before()
    time.sleep(0.5)
    still = program.poll() is None
    act()
    status = exit_status(program, 2, 0.02)
    check(shown and still and status == [0],
          f'/s: ripples over the whole screen, ended by {what}, status 0 (drawn, running, status: {bool(shown)} {still} {status})')
    if others:
        wine.run(prefix, 'taskkill', '/f', '/im', 'notepad.exe')
        exit_status(others.pop(), 5)

# The registry's values as the dialog or reg.exe leave them; wrong ones give way to the defaults.
blue = lambda px: all(p & 255 > 240 for p in px)  # Clouds: blue at full everywhere
for values, what, probe in [
    ({'Scheme': 'REG_SZ 5', 'Tesselation': 'REG_DWORD 20', 'Letterbox': 'REG_DWORD 6', 'FrameRate': 'REG_DWORD 1'},
     'Clouds on a 20-pixel grid between letterbox bars, the frame-rate line over the top one',
     lambda: black(s.shot(0, 0, W - 200, 150)) and any(p > 0x80ffff for p in s.shot(W - 200, 0, 200, 30)) and
     black(s.shot(0, H - 150, W, 150)) and
     blue(s.shot(0, 200, W - 20, 200)) and len({x % 20 for x in steps(H // 2)}) == 1),
    ({'Scheme': 'REG_SZ rainbow', 'Tesselation': 'REG_SZ 0', 'Letterbox': 'REG_DWORD 7'},
     'values out of range: the defaults, Sharp Blue Edges on a 6-pixel grid, no bars',
     lambda: fills(s, 0, 0, W, H) and not blue(s.shot(0, 200, W - 20, 200)) and len(steps(H // 2)) > W // 10)]:
    wine.reg(prefix, 'delete', KEY, '/f')
    for name, value in values.items():
        kind, data = value.split()
        wine.reg(prefix, 'add', KEY, '/v', name, '/t', kind, '/d', data, '/f')
    program, win = saver('/S')
    check(win is not None and until(probe, 15) is not None, f'/S with {values}: {what}')
    s.key('Escape', win)
    exit_status(program, 5)

# GL and the image side by side (Wine's GL is llvmpipe: Present auto takes the image): the same seed,
# nearly still, the same picture within one level of each colour.
shots = {}
for present in ['gl', 'image']:
    wine.reg(prefix, 'delete', KEY, '/f')
    for name, kind, data in [('Seed', 'REG_DWORD', '5'), ('Speed', 'REG_SZ', '0.0001'), ('Present', 'REG_SZ', present)]:
        wine.reg(prefix, 'add', KEY, '/v', name, '/t', kind, '/d', data, '/f')
    program, win = saver('/s')
    check(win is not None and until(lambda: fills(s, 0, 0, W, H), 15), f'/s, Present {present}: ripples over the screen')
    shots[present] = s.shot()
    s.key('Escape', win)
    exit_status(program, 5)
worst = max(differences(shots['gl'], shots['image']))
check(worst <= 1, f'/s: the image {worst} levels from GL at most')

# /c: the dialog shows the defaults and a saved speed as it was written; Tab to the ripples, 7,
# Enter writes every value, the speed unchanged.
wine.reg(prefix, 'delete', KEY, '/f')
wine.reg(prefix, 'add', KEY, '/v', 'Speed', '/t', 'REG_SZ', '/d', '0.00005', '/f')
program = wine.start(prefix, s, [scr, '/c:0'])
win = s.find('Wendrix Settings', timeout=30)
for key in ['Tab', '7', 'Return']:
    s.key(key, win)
saved = exit_status(program, 5) == [0] and wine.reg(prefix, 'query', KEY).stdout
want = ['Scheme    REG_SZ    0', 'Ripples    REG_DWORD    0x7', 'Tesselation    REG_DWORD    0x6',
        'Speed    REG_SZ    0.00005', 'Letterbox    REG_DWORD    0x0', 'SpotLight    REG_DWORD    0x0',
        'Present    REG_SZ    auto']
check(saved and all(line in saved for line in want), f'/c:0: the dialog saves ripples 7, the speed it was given and the defaults: {saved!r}')
finish()
