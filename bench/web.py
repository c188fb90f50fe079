"""The web page's frame rate in each browser engine (headless Chromium on SwiftShader; Firefox ESR
and WebKitGTK's MiniBrowser on Mesa's llvmpipe under an Xvfb of their own), the field worked out
on the GPU beside the processor's rows (the address's field=rows), with wendrix-render's frames on
llvmpipe (the desktop program's own frame code), all measured in one run: at 1280x720 and
1920x1080, grid steps 6, 2 and 1. For the page: frames a second as the page's animation frames
come, and the main thread's milliseconds in each frame's callback (wasm's work, the WebGL calls);
for the renderer: milliseconds a frame (201 frames less 1, over 200).
Usage: /usr/bin/python3 bench/web.py BUILD-WEB WENDRIX-RENDER [ENGINE...]"""
import os, subprocess, sys, tempfile, time

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, '..', 'tests', 'web'), os.path.join(here, '..', 'tests', 'x11')]
if len(sys.argv) < 3:
    asked = sys.argv[1:] in (['-h'], ['--help'])
    print(__doc__, file=sys.stdout if asked else sys.stderr)
    sys.exit(0 if asked else 2)
import browsers  # noqa: E402  (after --help, which needs none of the tests' modules)

page_dir, render = sys.argv[1:3]
engines = sys.argv[3:] or list(browsers.ENGINES)
SIZES, STEPS = ((1280, 720), (1920, 1080)), (6, 2, 1)
scratch = tempfile.TemporaryDirectory()

# Each animation frame's callback timed, from the page's own clock.
TIMED = '''(() => {
  window.callbacks = [];
  const ask = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (f) => ask((t) => {
    const start = performance.now();
    f(t);
    window.callbacks.push([start, performance.now() - start]);
  });
  return true; })()'''


def render_ms(size, step):
    def run(frames):
        start = time.monotonic()
        subprocess.run([render, '--size', '%dx%d' % size, '--frames', str(frames),
                        '--keys', '<lt>' * (6 - step), '--out', os.path.join(scratch.name, 'f.png')],
                       env=browsers.RENDER_ENV, check=True)
        return time.monotonic() - start
    return (run(201) - run(1)) / 200 * 1000


def page_rate(browser, base, size, step, field):
    browser.open(f'{base}?tesselation={step}&field={field}', size)
    browser.evaluate(TIMED)
    time.sleep(2)  # compiled, warmed
    browser.evaluate('window.callbacks = []')
    time.sleep(4)
    frames = browser.evaluate('window.callbacks')
    while len(frames) < 4:
        time.sleep(0.5)
        frames = browser.evaluate('window.callbacks')
    drawn = browser.evaluate('document.body.dataset.field')
    if drawn != field:
        raise SystemExit(f'FAIL: asked for field={field}, the page drew {drawn}')
    seconds = (frames[-1][0] - frames[0][0]) / 1000
    return (len(frames) - 1) / seconds, sum(ms for _, ms in frames) / len(frames)


base = browsers.serve(page_dir)
desktop = {(size, step): render_ms(size, step) for size in SIZES for step in STEPS}
print(f'load average before: {open("/proc/loadavg").read().split()[:3]}')
print('engine    size       step  gpu fps  gpu ms  rows fps  rows ms  gpu/rows  renderer ms', flush=True)
for engine in engines:
    browser = browsers.launch(engine)
    try:
        for size in SIZES:
            for step in STEPS:
                gpu, gpu_ms = page_rate(browser, base, size, step, 'gpu')
                rows, rows_ms = page_rate(browser, base, size, step, 'rows')
                print(f'{engine:9} {size[0]}x{size[1]:<5} {step:4} {gpu:8.1f} {gpu_ms:7.2f} {rows:9.1f} '
                      f'{rows_ms:8.1f} {gpu / rows:9.1f} {desktop[size, step]:12.1f}', flush=True)
    finally:
        browser.close()
print(f'load average after: {open("/proc/loadavg").read().split()[:3]}')
