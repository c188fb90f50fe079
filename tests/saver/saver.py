"""wendrix-saver on Xvfb: ripples in the window it is given and nowhere else, its end by signal and with its window."""
import os, signal, subprocess, sys, time, xml.etree.ElementTree as ElementTree
sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'x11'))
from xsession import Screen, check, finish, fills, start, until

saver, config = os.path.abspath(sys.argv[1]), sys.argv[2]
s = Screen(800, 600)  # larger than a window of its own, 640x480
MISSING = '0x1fffff0'
run = lambda args: subprocess.run([saver] + args, env=s.env, capture_output=True, text=True, timeout=10)


def window(x, y, w, h):
    win = s.root.create_window(x, y, w, h, 0, s.d.screen().root_depth, background_pixel=0)
    win.map()
    s.d.sync()
    return win


def ends(hack, sig, within, what):
    sent = time.monotonic()
    hack.send_signal(sig) if sig else None
    status = until(lambda: hack.poll() is not None and [hack.returncode], 5, step=0.002)
    took = time.monotonic() - sent
    check(status == [0] and took < within, f'{what}: status {status} after {took:.3f} s')


win = window(100, 80, 240, 180)
for args, env, sig in [(['--window-id', hex(win.id)], {}, signal.SIGTERM),
                       (['-window-id', str(win.id), '-fps'], {}, signal.SIGINT),
                       (['--root'], {'XSCREENSAVER_WINDOW': hex(win.id)}, signal.SIGHUP)]:
    what = ' '.join(args + [f'{k}={v}' for k, v in env.items()])
    before = s.toplevels()
    win.clear_area()  # no ripples left from the run before
    hack = start([saver] + args, env=dict(s.env, **env))
    check(until(lambda: fills(s, 100, 80, 240, 180), 10) and s.toplevels() == before,
          f'{what}: ripples in that window only, no window of its own')
    text = any(p > 0x80ffff for p in s.shot(100, 80, 240, 20))  # white; scheme 0 has no red
    check(text == ('-fps' in args), f'{what}: white text only with -fps, no hint to press ? (text seen: {text})')
    ends(hack, sig, 0.3, f'{what}: {sig.name} ends it within a frame')

win.clear_area()
hack = start([saver, '--window-id', str(win.id)], env=s.env)
until(lambda: fills(s, 100, 80, 240, 180), 10)
win.configure(width=400, height=300)
check(until(lambda: fills(s, 100, 80, 400, 300), 5), 'the window grown to 400x300: ripples fill it')
win.destroy()
s.d.sync()
ends(hack, None, 2, 'its window destroyed, it ends by itself')

before = s.toplevels()
hack = start([saver, '--root', '--delay', '200000'], env=s.env)
check(until(lambda: fills(s, 0, 0, 800, 600), 10) and s.toplevels() == before,
      '--root without XSCREENSAVER_WINDOW: ripples on the root window')
cpu = lambda: sum(map(int, open(f'/proc/{hack.pid}/stat').read().rsplit(')', 1)[1].split()[11:13]))
ticks, second = cpu(), time.sleep(1) or os.sysconf('SC_CLK_TCK')
check(cpu() - ticks < second / 4, f'--delay 200000: it sleeps, {(cpu() - ticks) / second:.0%} of a core')
ends(hack, signal.SIGTERM, 0.3, '--root: SIGTERM')

for args in [['--scheme', '8'], ['--scheme', 'rainbow'], ['--ripples', '0'], ['--ripples', '9'],
             ['--tesselation', '21'], ['--speed', '0'], ['--speed', 'fast'], ['--frequency', '101'],
             ['--letterbox', '7'], ['--delay', '-1'], ['--window-id', '0'], ['--window-id', 'window']]:
    done = run(args + ['--window-id', MISSING])  # a value taken would give 1
    check(done.returncode == 2 and done.stderr.startswith(f'wendrix-saver: {args[0]} '), f'{args}: status 2 naming it')

# Every value the settings file can pass, with a window that is not there: status 1 (no window), not 2.
root = ElementTree.parse(config).getroot()
passed = root.find('command').get('arg').split()
for number in root.iter('number'):
    passed += [word for end in ('low', 'high') for word in number.get('arg').replace('%', number.get(end)).split()]
for element in list(root.iter('option')) + list(root.iter('boolean')):
    passed += (element.get('arg-set') or '').split()
done = run(passed + ['--window-id', MISSING])
check(root.tag == 'screensaver' and '--root' in passed and '--fps' in passed and len(passed) > 20,
      f'{config}: well-formed, --root in its command, {len(passed)} words to pass')
check(done.returncode == 1 and done.stderr == f'wendrix-saver: window {MISSING} does not exist\n',
      f'every one accepted; the missing window gives status 1 and one line: {done.returncode} {done.stderr!r}')
finish()
