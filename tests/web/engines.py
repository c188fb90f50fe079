"""The page's checks that every browser engine must pass alike, run in one of them (chromium, firefox
or webkit, through browsers.py), against wendrix-render's frames for the same clock and keys, at
640x480 but where a case needs more: whole runs of the page (the first frame with bad address
options named under the picture, frame 60, the address's picture options, the finest grid at
1280x720, frames a day apart, and the processor's rows that field=rows asks for, each drawn the
way it was asked to be), keys typed one by one as the engine's own key events (shifted ones, the
arrows and the help page among them) on a clock that stands still, a key with Ctrl, Alt or Meta held heard by the
page and left to the browser, Escape's fade ending the frames and "Start again", no process left
once the browser has closed, and where the engine's own setting asks for less motion, the first
frame standing still until P plays it. A missing browser fails it.
Usage: engines.py ENGINE BUILD-WEB WENDRIX-RENDER"""
import os, sys, time
from browsers import (ENGINES, KEYS, after_key, check, compare, launch, rendered, same, serve, strays,
                      xsession)

engine, page_dir, render = sys.argv[1:4]
if engine not in ENGINES:
    sys.exit(f'FAIL: no engine called {engine}; there are {", ".join(ENGINES)}')
for needed in ('index.html', 'wendrix.js', 'wendrix.wasm', 'font.bmp'):
    if not os.path.isfile(os.path.join(page_dir, needed)):
        sys.exit(f'FAIL: no {needed} in {page_dir}: scripts/web builds the page')
SIZE = (640, 480)

# Whole runs, each to its last frame against the renderer's: what, the address, the size, the
# frames, the keys typed before frame 0 that stand for the address, the part left out (the last
# message, which the keys show and the address does not), and the options named as refused.
RUNS = [
    ('frame 0, bad options left at their defaults', 'ripples=9&speed=fast&bogus=1&fps=2', SIZE, 1, '', None,
     ('ripples', 'speed', 'bogus', 'fps')),
    ('frame 60', '', SIZE, 61, '', None, ()),
    ('scheme, ripples, tesselation, letterbox, spotlight and fps from the address',
     'scheme=4&ripples=6&tesselation=9&letterbox=2&spotlight=1&fps=1', SIZE, 1,
     'oooo' 'nn' '>>>' 'll' 's' 'c', (0, 0, 400, 40), ()),
    # The finest grid wider than 1024 columns, as a large screen shows it.
    ('the finest grid at 1280x720', 'tesselation=1', (1280, 720), 1, '<lt>' * 5, (0, 0, 400, 40), ()),
    # Frames two days apart: the bank's phases, which grow for ever, stay on the processor.
    ('frames a day apart, scheme 2', 'frame-ms=86400000&scheme=2', SIZE, 3, 'oo', (0, 0, 400, 40), ()),
    # The processor's rows, as a browser without high-precision fragment floats draws.
    ('the finest grid at 1280x720, the processor\'s rows', 'tesselation=1&field=rows', (1280, 720), 1,
     '<lt>' * 5, (0, 0, 400, 40), ()),
    ('letterbox and spotlight, the processor\'s rows', 'letterbox=3&spotlight=1&scheme=7&field=rows',
     SIZE, 2, 'llls' 'ooooooo', (0, 0, 400, 40), ()),
]
# Keys typed one at a time on a clock that stands still (each frame drawn at 0 ms): after each, the
# picture wendrix-render draws after the same keys, which is not the one before.
TYPED = ['o', 'o', 'o', '?', '?', '(', ')', '_', '+', '{', '}', '<', '>', '-', '=', '[', ']', ',', '.',
         'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'n', 'w', 'c', 'p', 'l', 's']
# Held, they leave the key to the browser: the page hears it, the picture stays.
HELD = ['Control', 'Alt', 'Meta']
# Hears the page's keys and counts the frames it asks for (Emscripten asks by the global's name);
# ownFrame asks for one uncounted.
LISTEN = '''(() => {
  addEventListener('keydown', e => {
    if (e.key.length == 1) window.heard = [e.key, e.ctrlKey, e.altKey, e.metaKey];
  });
  window.framesAsked = 0;
  window.ownFrame = requestAnimationFrame.bind(window);
  window.requestAnimationFrame = f => { ++window.framesAsked; return ownFrame(f); };
})()'''
# The frames the page asks for while the browser draws ten of its own.
ASKED = '''new Promise(done => {
  const before = framesAsked;
  let left = 10;
  const tick = () => --left ? ownFrame(tick) : done(framesAsked - before);
  ownFrame(tick);
})'''

base = serve(page_dir) + 'index.html?'
started = time.monotonic()
browser = launch(engine)
try:
    for what, query, size, frames, keys, mask, refused in RUNS:
        browser.open(f'{base}{query}&frames={frames}', size)
        browser.wait_for('document.title == "Wendrix (done)"')
        gpu = 'field=rows' not in query
        frame_ms = 86400000 if 'frame-ms' in query else 16
        drawn = browser.evaluate('document.body.dataset.field')
        same(browser.canvas(), rendered(render, size, frames, frame_ms, key_at=[(0, keys)] if keys else []),
             f'{what}, drawn by {drawn}', mask, gpu=gpu, way=drawn)
        said = browser.evaluate('document.getElementById("say").textContent').splitlines()
        named = [name for name in refused
                 if any(line.startswith(name) or line.endswith(f'called {name}; the default is used.')
                        for line in said)]
        check(len(named) == len(said) == len(refused), f'{what}: refused, each named once: {said}')

    browser.open(f'{base}frames=1000000&frame-ms=0', SIZE)
    browser.evaluate(LISTEN)
    references = rendered(render, SIZE, len(TYPED) + 1, frame_ms=0, numbered=True,
                          key_at=[(i, KEYS[key][3]) for i, key in enumerate(TYPED, 1)])
    browser.next_frames()
    before = browser.canvas()
    for i, key in enumerate(TYPED, 1):
        browser.press([key])
        browser.next_frames()
        shot = browser.canvas()
        after_key(shot, references[i], before, f'key {key}')
        before = shot
    for held in HELD:
        browser.evaluate('window.heard = null')
        browser.press(['o'], [held])
        browser.next_frames()
        heard = browser.evaluate('window.heard')
        still = compare(browser.canvas(), before)[1] == 0
        check(heard == ['o', held == 'Control', held == 'Alt', held == 'Meta'] and still,
              f'{held}+o: the page hears {heard}, the picture {"stays" if still else "changes"}')

    # Escape's fade ends the frames: the title says so, and no frame is asked for after.
    browser.open(f'{base}frames=100000&frame-ms=100', SIZE)
    browser.evaluate(LISTEN)
    browser.press(['Escape'])
    browser.wait_for('document.title == "Wendrix (ended)"')
    asked = browser.evaluate(ASKED)
    check(asked == 0 and browser.evaluate('document.body.classList.contains("ended")'),
          f'Escape\'s fade ends the frames and says so: {asked} frame(s) asked for after it')
    browser.evaluate('document.getElementById("again").click()')
    browser.wait_for('document.title == "Wendrix" && window.Module && Module.calledRun')
    check(not browser.evaluate('document.body.classList.contains("ended")'), 'Start again starts again')
finally:
    browser.close()
    left = strays()
check(not left, f'{engine} closed, no process of it left: {left}')

# Less motion, asked for as the engine's own setting asks (Chromium's, with the address's play=,
# is visitors.py's): the first frame stands still under its line until P plays it.
if engine != 'chromium':
    browser = launch(engine, reduced_motion=True)
    try:
        browser.open(base, SIZE)
        browser.next_frames()
        before = browser.canvas()
        time.sleep(1)
        browser.next_frames()
        said = browser.evaluate('document.getElementById("say").textContent')
        hint = (0, 0, SIZE[0], 40)  # the start hint may expire meanwhile
        still = compare(browser.canvas(), before, hint)[1] == 0
        browser.press(['p'])
        browser.next_frames(4)
        plays = compare(browser.canvas(), before, hint)[1] > 1
        same(before, rendered(render, SIZE, 1), 'less motion: the first frame', hint)
        check(still and said.startswith('Motion is reduced') and plays,
              f'less motion: {"stands still" if still else "moves"} under "{said}", then P '
              f'{"plays" if plays else "does not play"} it')
    finally:
        browser.close()
print(f'{engine}: {time.monotonic() - started:.1f} s')
xsession.finish()
