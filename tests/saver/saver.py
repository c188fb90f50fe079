"""wendrix-saver on Xvfb: ripples in the window it is given and nowhere else, its death by signal and its end with
its window, its seeds, every window, value and output it must refuse; its GL and image presenters side by side, with
and without MIT-SHM, and no shared memory left after any ending; then the real XScreenSaver daemon running it. Xvfb's
GL is llvmpipe, so where --present is not given the hack presents by image."""
import os, signal, subprocess, sys, time, xml.etree.ElementTree as ElementTree
from xsession import X, Screen, check, differences, exit_status, failures, fills, finish, ripples, scratch, start, until

saver, config = os.path.abspath(sys.argv[1]), sys.argv[2]
s = Screen(800, 600, screens=2)  # larger than a window of its own, 640x480
MISSING = '0x1fffff0'
toplevels = lambda: [w.id for w in s.root.query_tree().children]
run = lambda args: subprocess.run([saver] + args, env=s.env, capture_output=True, text=True, timeout=10)


def window(x, y, w, h, screen=0, **kw):
    win = s.d.screen(screen).root.create_window(x, y, w, h, 0, s.d.screen(screen).root_depth, **kw)
    win.map()
    s.d.sync()
    return win


def segments(pid):
    """The shared memory segments process pid made that are still there (ipcs -p: shmid, owner, creator, last)."""
    rows = [line.split() for line in subprocess.run(['ipcs', '-m', '-p'], capture_output=True, text=True).stdout.splitlines()]
    return [row[0] for row in rows if len(row) == 4 and row[2] == str(pid)]


def ends(hack, sig, within, what):
    """Signalled, it dies of that signal (a wait status of 128 + its number); without, it exits with 0. Either way
    its shared memory is gone."""
    sent = time.monotonic()
    hack.send_signal(sig) if sig else None
    status = exit_status(hack, 5, step=0.002)
    took = time.monotonic() - sent
    left = [] if until(lambda: not segments(hack.pid), 2) else segments(hack.pid)  # the server lets go in its own time
    check(status == [-sig if sig else 0] and took < within and not left,
          f'{what}: status {status} after {took:.3f} s, shared memory left: {left}')


# Nearly still (--speed 0.01), the first picture is its seed's: twice alike with --seed 7, else the clock's own,
# unlike from run to run; SIGHUP ignored from the start by nohup stays ignored.
win, pictures = window(100, 80, 240, 180, background_pixel=0), []
for args, env, sig in [(['--window-id', hex(win.id), '--seed', '7', '--speed', '0.01'], {}, signal.SIGTERM),
                       (['-window-id', str(win.id), '-fps', '-seed', '7', '-speed', '0.01'], {}, signal.SIGINT),
                       (['--root', '--speed', '0.01'], {'XSCREENSAVER_WINDOW': hex(win.id)}, signal.SIGHUP),
                       (['--window-id', hex(win.id), '--speed', '0.01'], {}, signal.SIGTERM)]:
    nohup = ['nohup'] * (len(pictures) == 3)  # the last with SIGHUP ignored from its start
    what = ' '.join(nohup + args + [f'{k}={v}' for k, v in env.items()])
    before = toplevels()
    win.clear_area()  # no ripples left from the run before
    hack = start(nohup + [saver] + args, env=dict(s.env, **env))
    check(until(lambda: fills(s, 100, 80, 240, 180), 10) and toplevels() == before,
          f'{what}: ripples in that window only, no window of its own')
    pictures.append(s.shot(100, 100, 240, 160))  # below the frame-rate line
    text = any(p > 0x80ffff for p in s.shot(100, 80, 240, 20))  # white; scheme 0 has no red
    check(text == ('-fps' in args), f'{what}: white text only with -fps, no hint to press ? (text seen: {text})')
    check(len(segments(hack.pid)) == 1, f'{what}: the image through one shared memory segment')
    if nohup:  # SIGHUP first, with the time it would take to end by it
        hack.send_signal(signal.SIGHUP)
        time.sleep(0.3)
    ends(hack, sig, 0.3, f'{what}: {sig.name} ends it within a frame, by that signal')
same, other = (sum(d) / len(d) for d in (differences(*pictures[:2]), differences(*pictures[2:])))
check(same < 1 and other > 10, f'first pictures {same:.2f} apart with --seed 7 twice, {other:.2f} without it twice')

# A window on the second screen, drawn by GL in that screen's own configuration.
far = window(50, 50, 200, 150, screen=1, background_pixel=0)
hack = start([saver, '--window-id', hex(far.id), '--present', 'gl'], env=s.env)
check(until(lambda: ripples(s.shot(50, 50, 200, 150, screen=1)), 10), 'a window on screen 1: ripples in it by GL')
ends(hack, signal.SIGTERM, 0.3, 'on screen 1: SIGTERM')

win.clear_area()
hack = start([saver, '--window-id', str(win.id)], env=s.env)
until(lambda: fills(s, 100, 80, 240, 180), 10)
win.configure(width=400, height=300)
check(until(lambda: fills(s, 100, 80, 400, 300), 5) and len(segments(hack.pid)) == 1,
      'the window grown to 400x300: ripples fill it, one shared memory segment, the old one gone')
win.destroy()
s.d.sync()
ends(hack, None, 2, 'its window destroyed, it ends by itself')

# --root without XSCREENSAVER_WINDOW: the root window, sleeping out --delay. A signal that comes while a frame is
# drawn ends the hack after that frame, not after the 3 s sleep that follows it. Its main thread sleeps in
# clock_nanosleep (230) or ppoll (271), then wakes to draw the second frame (tens of milliseconds at this grid): the
# signal comes 5 ms into it.
before = toplevels()
hack = start([saver, '--root', '--tesselation', '1', '--delay', '3000000'], env=s.env)
check(until(lambda: fills(s, 0, 0, 800, 600), 10) and toplevels() == before,
      '--root without XSCREENSAVER_WINDOW: ripples on the root window')
cpu = lambda: sum(map(int, open(f'/proc/{hack.pid}/stat').read().rsplit(')', 1)[1].split()[11:13]))
ticks, second = cpu(), time.sleep(1) or os.sysconf('SC_CLK_TCK')
check(cpu() - ticks < second / 4, f'--delay 3000000: it sleeps, {(cpu() - ticks) / second:.0%} of a core')
sleeping = lambda: open(f'/proc/{hack.pid}/syscall').read().split()[0] in ('230', '271')
check(until(sleeping, 10) and until(lambda: not sleeping(), 5, step=0.0005) and not time.sleep(0.005),
      'a frame of --delay 3000000 caught being drawn')
ends(hack, signal.SIGTERM, 1, '--root --delay 3000000, SIGTERM while a frame is drawn')

# GL and the image side by side: the same seed, nearly still, the same picture within one level of each colour;
# the image through shared memory where the server has MIT-SHM (gone even after SIGKILL), over the connection where
# it has not.
bare = Screen(320, 240, args=['-extension', 'MIT-SHM', '-extension', 'RANDR'])  # python-xlib mixes up
# RANDR's events between two displays whose event numbers differ
for screen, shared in [(s, True), (bare, False)]:
    shots, segment = {}, None
    screen.root.clear_area()  # nothing left from the hacks before
    target = screen.d.screen().root.create_window(20, 10, 240, 180, 0, 24, background_pixel=0)
    target.map()
    for present in ['gl', 'image']:
        what = f'--present {present}, Xvfb {"with" if shared else "without"} MIT-SHM'
        target.clear_area()  # the picture shot is this hack's, not the one before's
        screen.d.sync()
        hack = start([saver, '--window-id', hex(target.id), '--seed', '5', '--speed', '0.0001', '--present', present],
                     env=screen.env)
        check(until(lambda: fills(screen, 20, 10, 240, 180), 10), f'{what}: ripples in the window')
        shots[present], segment = screen.shot(20, 10, 240, 180), segments(hack.pid)
        if present == 'image':  # (Mesa's GL keeps segments of its own)
            check(len(segment) == shared, f'{what}: shared memory segments {segment}')
        sig = signal.SIGKILL if present == 'image' and shared else signal.SIGTERM
        ends(hack, sig, 0.3, f'{what}: {sig.name}')
    worst = max(differences(shots['gl'], shots['image']))
    check(worst <= 1, f'Xvfb {"with" if shared else "without"} MIT-SHM: the image {worst} levels from GL at most')

# Each value refused with status 2 and a line naming its option; one taken would reach the missing window.
for args in [['--scheme', '8'], ['--scheme', 'rainbow'], ['--ripples', '0'], ['--ripples', '9'], ['--ripples', ' 4'],
             ['--ripples', '+4'], ['--tesselation', '21'], ['--speed', '0'], ['--speed', 'fast'], ['--speed', '1e-45'],
             ['--speed', '0x10'], ['--speed', '0.' + '0' * 45 + '1'], ['--frequency', '101'], ['--letterbox', '7'],
             ['--delay', '-1'], ['--seed', '4294967296'], ['--window-id', '0'], ['--window-id', 'window'],
             ['--window-id', '0x0x200002'], ['--present', 'GL'],
             ['--window-id', '0xdeadbeef', 'out of range, 0x1 to 0x1fffffff\n']]:
    done = run(args[:2] + ['--window-id', MISSING])
    said = f'wendrix-saver: {args[0]} ' + (f'{args[1]}: {args[2]}' if args[2:] else '')
    check(done.returncode == 2 and done.stderr.startswith(said), f'{args[:2]}: status 2, {said!r}')

# What cannot start: status 1 and one line saying why.
input_only = s.root.create_window(0, 0, 10, 10, 0, 0, window_class=X.InputOnly)
s.d.sync()
for args, env, out, why in [
        (['--root'], {'XSCREENSAVER_WINDOW': '0x0x200002'}, os.devnull,
         'XSCREENSAVER_WINDOW=0x0x200002: not a window id, 0x hexadecimal or decimal'),
        (['--window-id', hex(input_only.id)], {}, os.devnull,
         f'window {hex(input_only.id)} is InputOnly: nothing can be drawn in it'),
        (['--help'], {}, '/dev/full', 'write error: No space left on device')]:
    done = subprocess.run([saver] + args, env=dict(s.env, **env), stdout=open(out, 'w'), stderr=subprocess.PIPE, text=True)
    check((done.returncode, done.stderr) == (1, f'wendrix-saver: {why}\n'),
          f'{args} {env} > {out}: {done.returncode} {done.stderr!r}')

# Every value the settings file can pass, with a window that is not there: status 1 (no window), not 2.
root = ElementTree.parse(config).getroot()
passed = root.find('command').get('arg').split()
for number in root.iter('number'):
    passed += [word for end in ('low', 'high') for word in number.get('arg').replace('%', number.get(end)).split()]
for element in list(root.iter('option')) + list(root.iter('boolean')):
    passed += (element.get('arg-set') or '').split()
done = run(passed + ['--window-id', MISSING])
check(root.tag == 'screensaver' and '--root' in passed and '--fps' in passed and len(passed) > 20
      and root.find('xscreensaver-updater') is not None,
      f'{config}: well-formed, --root in its command, {len(passed)} words to pass, an updater as stock hacks have')
check(done.returncode == 1 and done.stderr == f'wendrix-saver: window {MISSING} does not exist\n',
      f'every one accepted; the missing window gives status 1 and one line: {done.returncode} {done.stderr!r}')

# The real XScreenSaver daemon, told of the hack alone in a scratch ~/.xscreensaver, runs it and ends it as it ends a
# stock hack. As root it blanks but launches no hack ("running as root: not launching hacks"): it runs as nobody.
home = scratch()
with open(os.path.join(home, '.xscreensaver'), 'w') as settings:
    settings.write(f'mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\nsplash: False\n'
                   f'timeout: 0:30:00\nprograms: {saver} --root\n')
user = ['setpriv', '--reuid=nobody', '--regid=nogroup', '--clear-groups'] if os.getuid() == 0 else []
for path in [home, os.path.join(home, '.xscreensaver')] * bool(user):
    os.chown(path, 65534, 65534)
env = dict(s.env, HOME=home)
command = lambda verb: subprocess.run(user + ['xscreensaver-command', verb], env=env, capture_output=True, timeout=10)
check(subprocess.run(user + ['test', '-x', saver]).returncode == 0, f'{saver} can be run by the daemon\'s user')
daemon = start(user + ['xscreensaver', '-no-splash', '-verbose'], env=env, stderr=open(home + '/log', 'w'))


def hacks():
    """The daemon's grandchildren running the hack (its child xscreensaver-gfx launches hacks)."""
    parents, found = {}, []
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            parents[pid] = open(f'/proc/{pid}/stat').read().rsplit(')', 1)[1].split()[1]
            if open(f'/proc/{pid}/cmdline', 'rb').read().split(b'\0')[0].decode() == saver:
                found.append(pid)
        except OSError:
            pass
    return [pid for pid in found if parents.get(parents.get(pid)) == str(daemon.pid)]


check(until(lambda: command('-version').returncode == 0, 10), 'the daemon answers')
command('-activate')
check(until(lambda: hacks() and ripples(s.shot()), 15), 'xscreensaver-command -activate: the hack draws ripples')
launched = hacks()
check(any(segments(pid) for pid in launched), 'the daemon\'s hack presents by image, through shared memory')
command('-deactivate')
check(until(lambda: not hacks(), 5) and until(lambda: not any(segments(pid) for pid in launched), 2),
      'xscreensaver-command -deactivate: the hack has exited, its shared memory gone')
print(open(home + '/log').read() if failures else '', end='')  # the daemon's own account
finish()
