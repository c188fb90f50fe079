"""wendrix-setup.exe under Wine: a silent install, the installed program and screen saver started
from elsewhere, then a silent uninstall that leaves no file and no registry key behind."""
import os, re, subprocess, sys
import wine
from xsession import Screen, check, exit_status, fills, finish, scratch, until

prefix, setup, version = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]
drive = os.path.join(prefix, 'drive_c')
program = r'C:\Program Files\Wendrix'
W, H = 640, 480
s = Screen(W, H)


def state():
    """Every path under C: and every registry key, once the server has written the registry out."""
    wine.end(prefix)
    paths = {os.path.relpath(os.path.join(top, name), drive)
             for top, dirs, names in os.walk(drive) for name in dirs + names}
    keys = {key for hive in ('system.reg', 'user.reg')
            for key in re.findall(r'^\[(.*)\]', open(os.path.join(prefix, hive), errors='replace').read(), re.M)}
    return paths, keys


def run(argv, key):
    """Started from a folder of its own: ripples over the screen; its stderr and exit status
    after the key, or once ended from outside when there is none."""
    started = wine.start(prefix, s, argv, cwd=scratch())
    win = s.find('Wendrix', timeout=30)
    shown = win is not None and until(lambda: fills(s, 0, 0, W, H), 15) is not None
    s.key(key, win) if key else None
    status = exit_status(started, 10) if key else wine.end(prefix)
    return shown, started.stderr.read(), status


paths, keys = state()
done = subprocess.run(['wine', setup, '/S'], env=wine.environment(prefix), capture_output=True, timeout=60)
installed = {rf'{program}\{name}' for name in ('wendrix.exe', 'font.bmp', 'README.txt', 'COPYRIGHT.txt',
                                               'uninstall.exe')}
installed |= {r'C:\windows\system32\wendrix.scr', r'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Wendrix.lnk'}
missing = [f for f in installed if not os.path.isfile(os.path.join(drive, f[3:].replace('\\', '/')))]
check(done.returncode == 0 and not missing, f'/S installs, status {done.returncode}; missing: {missing}')
entry = wine.reg(prefix, 'query', r'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wendrix').stdout
values = dict(re.findall(r'^\s+(\w+)\s+REG_\w+\s+(.*)$', entry, re.M))
check(values.get('QuietUninstallString') == rf'"{program}\uninstall.exe" /S' and values.get('DisplayVersion') == version
      and all(values.get(v) for v in ('DisplayName', 'DisplayIcon', 'UninstallString', 'Publisher', 'EstimatedSize')),
      f'Apps & features: the uninstall entry, version {values.get("DisplayVersion")}, {sorted(values)}')

# No atlas in the folders they start from: the program finds it beside itself, the saver in
# the system folder through the install folder the installer recorded.
shown, err, _ = run([rf'{program}\wendrix.exe'], None)  # its exits are tests/windows/program.py's
check(shown and 'font.bmp' not in err, f'the installed wendrix.exe: ripples, the atlas found: {err!r}')
shown, err, status = run([r'C:\windows\system32\wendrix.scr', '/s'], 'space')
check(shown and status == [0] and 'font.bmp' not in err, f'the installed saver: ripples, the atlas found, a key: {status} {err!r}')

wine.reg(prefix, 'add', r'HKCU\Software\Wendrix', '/v', 'Ripples', '/t', 'REG_DWORD', '/d', '5', '/f')
done = subprocess.run(['wine', rf'{program}\uninstall.exe', '/S'], env=wine.environment(prefix), capture_output=True)
# NSIS runs the uninstaller from a copy in the user's Temp folder, which Windows deletes at
# the next restart: restarted, only that empty folder may stay.
subprocess.run(['wineserver', '-w'], env=wine.environment(prefix))
subprocess.run(['wineboot', '-r'], env=wine.environment(prefix), capture_output=True)
after_paths, after_keys = state()
left = sorted(p for p in after_paths - paths
              if not (re.match(r'users/[^/]+/Temp/', p) and os.path.isdir(os.path.join(drive, p))
                      and not os.listdir(os.path.join(drive, p))))
check(done.returncode == 0 and not left, f'/S uninstalls, status {done.returncode}; files left: {left}')
check(not after_keys - keys and 'endrix' not in open(os.path.join(prefix, 'user.reg')).read(),
      f'no registry key left, the saver\'s settings gone too: {sorted(after_keys - keys)}')

# Installed before into a folder of the user's choosing, it is installed there again.
wine.reg(prefix, 'add', r'HKLM\Software\Wendrix', '/v', 'InstallDir', '/t', 'REG_SZ', '/d', r'C:\Apps\Wendrix', '/f')
done = subprocess.run(['wine', setup, '/S'], env=wine.environment(prefix), capture_output=True, timeout=60)
check(done.returncode == 0 and os.path.isfile(os.path.join(drive, 'Apps/Wendrix/wendrix.exe')) and
      not os.path.exists(os.path.join(drive, 'Program Files/Wendrix')), 'installed again where it was before')
subprocess.run(['wine', r'C:\Apps\Wendrix\uninstall.exe', '/S'], env=wine.environment(prefix), capture_output=True)
finish()
