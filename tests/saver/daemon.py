"""The real XScreenSaver daemon, told of wendrix-saver alone in a scratch ~/.xscreensaver, runs it, ends it as it
ends a stock hack, and logs its end as a stock hack's."""
import os, subprocess, sys
sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'x11'))
from xsession import Screen, scratch, check, failures, finish, ripples, start, until

saver = os.path.abspath(sys.argv[1])
s = Screen(640, 480)
home = scratch()
with open(os.path.join(home, '.xscreensaver'), 'w') as settings:
    settings.write(f'mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\nsplash: False\n'
                   f'timeout: 0:30:00\nprograms: {saver} --root\n')
# As root the daemon blanks but launches no hack ("running as root: not launching hacks"): run it as nobody.
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
# -cycle ends the hack with SIGTERM and starts it anew; the daemon logs how the first one ended.
command('-cycle')
check(until(lambda: f'({saver}) exited normally with SIGTERM' in open(home + '/log').read(), 5),
      'xscreensaver-command -cycle: the daemon logs the hack as "exited normally with SIGTERM"')
command('-deactivate')
check(until(lambda: not hacks(), 5), 'xscreensaver-command -deactivate: the hack has exited')
print(open(home + '/log').read() if failures else '', end='')  # the daemon's own account
finish()
