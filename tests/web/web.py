"""The page's checks that only Chromium can make here (the ones every engine must pass alike are
engines.py's), in headless Chromium (SwiftShader's WebGL) over devtools.py, against wendrix-render's
frames for the same clock and keys: taps on the touch controls (DevTools touch events), a resize,
full screen, the embedded page, and a console without errors.
Usage: web.py BUILD-WEB WENDRIX-RENDER"""
import os, sys
from browsers import KEYS, after_key, check, compare, launch, rendered, same, serve, xsession

page_dir, render = sys.argv[1:3]
for needed in ('index.html', 'wendrix.js', 'wendrix.wasm', 'font.bmp'):
    if not os.path.isfile(os.path.join(page_dir, needed)):
        sys.exit(f'FAIL: no {needed} in {page_dir}: scripts/web builds the page')


def tap(browser, selector):
    """A finger's tap at the middle of the element, through DevTools touch events."""
    box = browser.evaluate(f'(r => [r.x + r.width / 2, r.y + r.height / 2])'
                           f'(document.querySelector("{selector}").getBoundingClientRect())')
    point = [dict(x=box[0], y=box[1])]
    browser.send('Input.dispatchTouchEvent', type='touchStart', touchPoints=point)
    browser.send('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])


base = serve(page_dir) + 'index.html?'
browser = launch('chromium')
browser.send('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=1)
try:
    # Taps on the strip of keys on a clock that stands still: each the picture wendrix-render draws
    # after the same keys, which is not the one before.
    browser.open(base + 'frames=1000000&frame-ms=0')
    buttons = ['?', '?', 'o', 'n', '<', '>']
    key_at = [(i, KEYS[key][3]) for i, key in enumerate(buttons, 1)]
    references = rendered(render, (640, 480), len(buttons) + 1, frame_ms=0, numbered=True, key_at=key_at)
    browser.next_frames()
    before = browser.canvas()
    tap(browser, 'canvas')  # the first touch shows the strip of keys
    for i, key in enumerate(buttons, 1):
        tap(browser, f"#controls button[data-key='{key}']")
        browser.next_frames()
        shot = browser.canvas()
        after_key(shot, references[i], before, f'tap on {key}')
        before = shot

    # A resize: the canvas follows the window, and draws as wendrix-render at that size.
    browser.resize((480, 360))
    browser.wait_for('document.getElementById("canvas").width == 480')
    browser.next_frames()
    same(browser.canvas(), rendered(render, (480, 360), len(buttons) + 1, frame_ms=0, key_at=key_at),
         'after a resize to 480x360')

    # F enters the browser's full screen and F leaves it; there, Escape only leaves it.
    still = browser.canvas()
    for key, full in (('f', True), ('f', False), ('f', True), ('Escape', False)):
        browser.press([key])
        browser.wait_for(('' if full else '!') + 'document.fullscreenElement', 10)
        browser.next_frames()  # the page hears fullscreenchange at its next rendering, not at once
    browser.next_frames()
    check(browser.evaluate('document.title') == 'Wendrix' and compare(browser.canvas(), still)[1] == 0,
          'F enters and leaves full screen; there Escape leaves it and Wendrix plays on')

    # Embedded: no start hint, and keys do nothing.
    browser.open(base + 'embed=1&frames=1000000&frame-ms=0')
    browser.next_frames()
    first = browser.canvas()
    browser.press(['o'])
    browser.next_frames()
    hint = compare(first, rendered(render, (640, 480), 1, frame_ms=0), mask=(0, 40, 640, 480))[1]
    check(compare(browser.canvas(), first)[1] == 0 and hint > 1,
          'embedded: no start hint, and a key changes nothing')

    errors = browser.errors()
    check(not errors, f'no errors on the console: {errors}')
finally:
    browser.close()
xsession.finish()
