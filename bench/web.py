"""The web page's frame rate in headless Chromium (SwiftShader's WebGL) beside wendrix-render's
frames on Mesa's llvmpipe, the desktop program's own frame code, measured in one run: at
1280x720 and 1920x1080, grid steps 6, 2 and 1. For the page: frames a second as the browser
shows them and the main thread's milliseconds in each frame's callback (wasm's field, the WebGL
calls); for the renderer: milliseconds a frame (201 frames less 1, over 200).
Usage: /usr/bin/python3 bench/web.py BUILD-WEB WENDRIX-RENDER"""
import os, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'tests', 'web'))
from browsers import serve  # noqa: E402
from devtools import Browser  # noqa: E402

if len(sys.argv) != 3:
    asked = sys.argv[1:] in (['-h'], ['--help'])
    print(__doc__, file=sys.stdout if asked else sys.stderr)
    sys.exit(0 if asked else 2)
page_dir, render = sys.argv[1:3]
RENDER_ENV = dict(os.environ, EGL_PLATFORM='surfaceless', LIBGL_ALWAYS_SOFTWARE='1',
                  MESA_SHADER_CACHE_DISABLE='true')


def render_ms(size, step):
    def run(frames):
        start = time.monotonic()
        subprocess.run([render, '--size', '%dx%d' % size, '--frames', str(frames),
                        '--keys', '<lt>' * (6 - step), '--out', os.path.join(scratch.name, 'f.png')],
                       env=RENDER_ENV, check=True)
        return time.monotonic() - start
    return (run(201) - run(1)) / 200 * 1000


def page_rate(browser, size, step):
    browser.send('Emulation.setDeviceMetricsOverride', width=size[0], height=size[1],
                 deviceScaleFactor=1, mobile=False)
    browser.send('Page.navigate', url=f'{base}?tesselation={step}')
    time.sleep(3)  # compiled, warmed
    browser.evaluate('window.callbackMs = []')
    start = time.monotonic()
    while time.monotonic() - start < 4 or len(browser.evaluate('window.callbackMs')) < 4:
        time.sleep(0.25)
    times = browser.evaluate('window.callbackMs')
    return len(times) / (time.monotonic() - start), sum(times) / len(times)


scratch = tempfile.TemporaryDirectory()
base = serve(page_dir)
browser = Browser()
browser.send('Page.addScriptToEvaluateOnNewDocument', source='''
  window.callbackMs = [];
  const ask = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (f) => ask((t) => {
    const start = performance.now();
    f(t);
    window.callbackMs.push(performance.now() - start);
  });''')
print(f'load average before: {open("/proc/loadavg").read().split()[:3]}')
print('size       step  page fps  page main-thread ms/frame  renderer ms/frame  page/renderer')
try:
    for size in ((1280, 720), (1920, 1080)):
        for step in (6, 2, 1):
            fps, main_ms = page_rate(browser, size, step)
            desktop = render_ms(size, step)
            print(f'{size[0]}x{size[1]:<5} {step:4} {fps:9.1f} {main_ms:26.1f} {desktop:18.1f} '
                  f'{main_ms / desktop:14.2f}', flush=True)
finally:
    browser.close()
print(f'load average after: {open("/proc/loadavg").read().split()[:3]}')
