"""The web page in headless Chromium (SwiftShader's WebGL), served from a plain static server on
127.0.0.1, against wendrix-render's frames for the same clock and keys: the first frame and frame
60, the keys (shifted ones and the touch controls among them) and what they draw, the help page as
tesseract reads it, the address's options, a resize, full screen, Escape's fade ending the frames,
and a console without errors. A frame matches when no pixel is more than one colour level away
(wasm's sin and sqrt are not glibc's); the share of exact pixels is printed.
Usage: web.py BUILD-WEB WENDRIX-RENDER HELPSCREEN.cpp"""
import os, subprocess, sys, tempfile, time
from PIL import Image, ImageChops

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'ocr'))
from devtools import Browser, serve  # noqa: E402
from ocr import help_lines, read_help  # noqa: E402

page_dir, render, help_source = sys.argv[1:4]
for needed in ('index.html', 'wendrix.js', 'wendrix.wasm', 'font.bmp'):
    if not os.path.isfile(os.path.join(page_dir, needed)):
        sys.exit(f'FAIL: no {needed} in {page_dir}: scripts/web builds the page')
scratch = tempfile.TemporaryDirectory()
failures = []
RENDER_ENV = dict(os.environ, EGL_PLATFORM='surfaceless', LIBGL_ALWAYS_SOFTWARE='1',
                  MESA_SHADER_CACHE_DISABLE='true')


def check(ok, what):
    print(('ok    ' if ok else 'FAIL  ') + what, flush=True)
    if not ok:
        failures.append(what)


def rendered(size, frames, frame_ms=16, key_at=(), numbered=False):
    """wendrix-render's frames: the last one, or every one when numbered (a list)."""
    out = os.path.join(scratch.name, 'r%d.png' if numbered else 'r.png')
    args = [render, '--size', '%dx%d' % size, '--frames', str(frames), '--frame-ms', str(frame_ms),
            '--out', out]
    for frame, keys in key_at:
        args += ['--key-at', f'{frame}:{keys}']
    subprocess.run(args, check=True, env=RENDER_ENV)
    if not numbered:
        return Image.open(out).convert('RGB')
    return [Image.open(out % i).convert('RGB') for i in range(frames)]


def compare(page, reference, mask=None):
    """The share of pixels exactly alike, and the largest difference in any channel."""
    difference = ImageChops.difference(page, reference)
    if mask:
        difference.paste((0, 0, 0), mask)
    largest = max(high for _, high in difference.getextrema())
    exact = difference.convert('L').point(lambda v: 255 if v == 0 else 0).histogram()[255]
    return exact / (page.width * page.height), largest


def same(page, reference, what, mask=None):
    exact, largest = compare(page, reference, mask)
    check(page.size == reference.size and largest <= 1,
          f'{what}: {exact:.2%} of the pixels exact, at most {largest} level(s) apart')
    return exact


def open_page(browser, query, size=(640, 480)):
    browser.send('Emulation.setDeviceMetricsOverride', width=size[0], height=size[1],
                 deviceScaleFactor=1, mobile=False)
    browser.send('Page.navigate', url=base + query)
    wait_for(browser, 'document.title.startsWith("Wendrix") && window.Module && Module.calledRun')


def wait_for(browser, condition, seconds=60):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if browser.evaluate(f'!!({condition})'):
            return True
        time.sleep(0.1)
    raise TimeoutError(f'the page never had {condition}')


def next_frames(browser, count=2):
    """Waits until the page has drawn `count` more frames."""
    browser.evaluate('new Promise(done => { let left = %d; const tick = () => --left ? '
                     'requestAnimationFrame(tick) : done(); requestAnimationFrame(tick); })' % (count + 1))


# Keys as a US keyboard sends them: the key's name, its code, its Windows key code, whether
# Shift is held; and the same key in wendrix-render's --keys.
KEYS = {
    '(': ('Digit9', 57, True, '('), ')': ('Digit0', 48, True, ')'),
    '_': ('Minus', 189, True, '_'), '+': ('Equal', 187, True, '+'),
    '{': ('BracketLeft', 219, True, '{'), '}': ('BracketRight', 221, True, '}'),
    '<': ('Comma', 188, True, '<lt>'), '>': ('Period', 190, True, '>'),
    '?': ('Slash', 191, True, '?'), '-': ('Minus', 189, False, '-'), '=': ('Equal', 187, False, '='),
    '[': ('BracketLeft', 219, False, '['), ']': ('BracketRight', 221, False, ']'),
    ',': ('Comma', 188, False, ','), '.': ('Period', 190, False, '.'),
    'ArrowLeft': ('ArrowLeft', 37, False, '<left>'), 'ArrowRight': ('ArrowRight', 39, False, '<right>'),
    'ArrowUp': ('ArrowUp', 38, False, '<up>'), 'ArrowDown': ('ArrowDown', 40, False, '<down>'),
    'Escape': ('Escape', 27, False, '<esc>'),
}
for letter in 'cfnoprstuwl':
    KEYS[letter] = ('Key' + letter.upper(), ord(letter.upper()), False, letter)


def press(browser, key):
    code, vk, shift, _ = KEYS[key]
    event = dict(key=key, code=code, windowsVirtualKeyCode=vk, modifiers=8 if shift else 0)
    text = dict(text=key) if len(key) == 1 else {}
    browser.send('Input.dispatchKeyEvent', type='keyDown', **event, **text)
    browser.send('Input.dispatchKeyEvent', type='keyUp', **event)


def tap(browser, selector):
    """A finger's tap at the middle of the element, through DevTools touch events."""
    box = browser.evaluate(f'(r => [r.x + r.width / 2, r.y + r.height / 2])'
                           f'(document.querySelector("{selector}").getBoundingClientRect())')
    point = [dict(x=box[0], y=box[1])]
    browser.send('Input.dispatchTouchEvent', type='touchStart', touchPoints=point)
    browser.send('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])


base = serve(page_dir)
browser = Browser()
browser.send('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=1)
# Counts the frames the page asks for, to see that none is asked for after the end.
browser.send('Page.addScriptToEvaluateOnNewDocument', source='''
  window.framesAsked = 0;
  const ask = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (f) => { ++window.framesAsked; return ask(f); };''')
try:
    # The first frame, over bad options that are named and keep their defaults.
    open_page(browser, '?frames=1&ripples=9&speed=fast&bogus=1&fps=2')
    wait_for(browser, 'document.title == "Wendrix (done)"')
    same(browser.canvas(), rendered((640, 480), 1), 'frame 0, bad options left at their defaults')
    said = browser.evaluate('document.getElementById("say").textContent').splitlines()
    named = [name for name in ('ripples', 'speed', 'bogus', 'fps')
             if any(line.startswith(name) or line.endswith(f'called {name}; the default is used.')
                    for line in said)]
    check(len(named) == 4 and len(said) == 4, f'each refused option named once: {said}')

    open_page(browser, '?frames=61')
    wait_for(browser, 'document.title == "Wendrix (done)"')
    same(browser.canvas(), rendered((640, 480), 61), 'frame 60')

    # The options as the keys that set them: the picture alike but for the last message.
    open_page(browser, '?scheme=4&ripples=6&tesselation=9&letterbox=2&spotlight=1&fps=1&frames=1')
    wait_for(browser, 'document.title == "Wendrix (done)"')
    same(browser.canvas(), rendered((640, 480), 1, key_at=[(0, 'oooo' 'nn' '>>>' 'll' 's' 'c')]),
         'scheme, ripples, tesselation, letterbox, spotlight and fps from the address',
         mask=(0, 0, 400, 40))

    # Keys on a clock that stands still: each frame is drawn at 0 ms, so the picture is the
    # one wendrix-render draws after the same keys, however many frames the page draws.
    open_page(browser, '?frames=1000000&frame-ms=0')
    table = ['(', ')', '_', '+', '{', '}', '<', '>', '?', '?', '-', '=', '[', ']', ',', '.',
             'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'o', 'n', 'w', 'c', 'p', 'l', 's',
             'Scheme', 'Ripples', 'Grid +']
    buttons = {'Scheme': 'o', 'Ripples': 'n', 'Grid +': '>'}
    references = rendered((640, 480), len(table) + 1, frame_ms=0, numbered=True, key_at=[
        (i + 1, KEYS[buttons.get(key, key)][3]) for i, key in enumerate(table)])
    before = browser.canvas()
    tap(browser, 'canvas')  # the first touch shows the strip of keys
    for i, key in enumerate(table, 1):
        if key in buttons:
            tap(browser, f"#controls button[data-key='{buttons[key]}']")
        else:
            press(browser, key)
        next_frames(browser)
        shot = browser.canvas()
        exact, largest = compare(shot, references[i])
        changed = compare(shot, before)[0] < 1
        check(largest <= 1 and changed, f'{"tap on " if key in buttons else "key "}{key}: '
              f'{exact:.2%} exact, at most {largest} level(s) from wendrix-render, '
              f'{"changes" if changed else "does not change"} the picture')
        before = shot

    # A resize: the canvas follows the window, and draws as wendrix-render at that size.
    browser.send('Emulation.setDeviceMetricsOverride', width=480, height=360, deviceScaleFactor=1,
                 mobile=False)
    wait_for(browser, 'document.getElementById("canvas").width == 480')
    next_frames(browser)
    same(browser.canvas(), rendered((480, 360), len(table) + 1, frame_ms=0, key_at=[
        (i + 1, KEYS[buttons.get(key, key)][3]) for i, key in enumerate(table)]),
         'after a resize to 480x360')

    # F enters the browser's full screen and F leaves it; there, Escape only leaves it.
    still = browser.canvas()
    for key, full in (('f', True), ('f', False), ('f', True), ('Escape', False)):
        press(browser, key)
        wait_for(browser, ('' if full else '!') + 'document.fullscreenElement', 10)
        next_frames(browser)  # the page hears fullscreenchange at its next rendering, not at once
    next_frames(browser)
    check(browser.evaluate('document.title') == 'Wendrix' and compare(browser.canvas(), still)[1] == 0,
          'F enters and leaves full screen; there Escape leaves it and Wendrix plays on')

    # The help page over scheme 4 at 1280x720, read by tesseract as the OCR test reads it.
    open_page(browser, '?frames=2&keys=oooo%3F', size=(1280, 720))
    wait_for(browser, 'document.title == "Wendrix (done)"')
    browser.canvas().save(os.path.join(os.environ.get('WEB_SHOTS', scratch.name), 'web-help.png'))
    read = os.path.join(scratch.name, 'help.png')  # read_help rewrites it
    browser.canvas().save(read)
    score, _ = read_help(read, help_lines(help_source))
    check(score >= 0.71, f'the help page over scheme 4: {score:.1%} of the characters read right')

    # Escape's fade ends the frames: the title says so, and no frame is asked for after.
    open_page(browser, '?frames=100000&frame-ms=100')
    press(browser, 'Escape')
    wait_for(browser, 'document.title == "Wendrix (ended)"')
    asked = browser.evaluate('window.framesAsked')
    time.sleep(0.5)
    check(browser.evaluate('window.framesAsked') == asked and
          browser.evaluate('document.body.classList.contains("ended")'),
          'Escape\'s fade ends the frames and says so')
    browser.evaluate('document.getElementById("again").click()')
    wait_for(browser, 'document.title == "Wendrix" && window.Module && Module.calledRun')
    check(not browser.evaluate('document.body.classList.contains("ended")'), 'Start again starts again')

    # Embedded: no start hint, and keys do nothing.
    open_page(browser, '?embed=1&frames=1000000&frame-ms=0')
    next_frames(browser)
    first = browser.canvas()
    press(browser, 'o')
    next_frames(browser)
    hint = compare(first, rendered((640, 480), 1, frame_ms=0), mask=(0, 40, 640, 480))[1]
    check(compare(browser.canvas(), first)[1] == 0 and hint > 1,
          'embedded: no start hint, and a key changes nothing')

    errors = browser.errors()
    check(not errors, f'no errors on the console: {errors}')
finally:
    browser.close()
if failures:
    sys.exit(f'FAIL: {len(failures)} check(s) failed')
