// The page around the program: what the browser must have, the atlas fetched into
// the program's files, the lines it says, a paused start and its play, its end, the
// touch controls, and the service worker that keeps it offline.
'use strict';

const say = document.getElementById('say');

// One line under the picture: a refused option, or why Wendrix cannot run here.
function wendrixSay(line) {
  say.textContent = say.textContent ? say.textContent + '\n' + line : line;
}

// Started paused (the visitor's browser asks for less motion, or the address's play=0):
// a line says how to play, and a tap on the picture plays while it shows.
let playLine = null;
function wendrixStartsPaused(byMotion) {
  playLine = (byMotion ? 'Motion is reduced, so Wendrix starts paused' : 'Wendrix starts paused') +
             ': press P, or tap the picture, to play.';
  wendrixSay(playLine);
}

function wendrixPlays() {
  if (playLine === null) return;
  say.textContent = say.textContent.split('\n').filter((line) => line !== playLine).join('\n');
  playLine = null;
}

// Escape's fade has ended the program; the browser's full screen ends with it.
function wendrixEnded() {
  document.title = 'Wendrix (ended)';
  document.body.classList.add('ended');
  if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
}

function missing() {
  if (typeof WebAssembly !== 'object') return 'WebAssembly';
  const probe = document.createElement('canvas');
  return probe.getContext('webgl') ? null : 'WebGL';
}

var Module = {
  canvas: document.getElementById('canvas'),
  print: (line) => console.log(line),
  printErr: (line) => console.warn(line),
  onAbort: (what) => wendrixSay('Wendrix stopped: ' + what),
  preRun: [() => {
    Module.addRunDependency('font.bmp');
    fetch('font.bmp')
      .then((response) => (response.ok ? response.arrayBuffer()
                                       : Promise.reject(new Error(response.statusText))))
      .then((bytes) => Module.FS.writeFile('/font.bmp', new Uint8Array(bytes)))
      .catch((error) => wendrixSay('The glyph atlas font.bmp did not load: ' + error.message))
      .finally(() => Module.removeRunDependency('font.bmp'));
  }],
  postRun: [keepOffline],
};

// The service worker keeps this build's files for visits without a network. It is asked for
// once the program runs: every file is here by then, so a new build's worker, which waits
// until told, takes over without this page mixing two builds. Without one (no secure
// context, an old browser) the page works as before, only not offline.
function keepOffline() {
  if (!navigator.serviceWorker) return;
  const takeOver = (worker) => {
    if (!worker) return;
    const tell = () => worker.state === 'installed' && worker.postMessage('take over');
    worker.addEventListener('statechange', tell);
    tell();
  };
  navigator.serviceWorker.register('offline.js').then((registration) => {
    takeOver(registration.installing || registration.waiting);
    registration.addEventListener('updatefound', () => takeOver(registration.installing));
  }).catch((error) => console.log('Wendrix is not kept offline here: ' + error.message));
}

Module.canvas.addEventListener('click', () => {
  if (playLine === null) return;
  wendrixPlays();
  Module._wendrix_press('p'.charCodeAt(0), 0);
});

document.getElementById('again').addEventListener('click', () => location.reload());

// The strip of keys shows once the page is touched, or at once where the pointer is a finger.
if (matchMedia('(pointer: coarse)').matches) document.body.classList.add('touch');
addEventListener('touchstart', () => document.body.classList.add('touch'),
                 { once: true, passive: true });
for (const button of document.querySelectorAll('#controls button')) {
  const press = (event) => {
    event.preventDefault();  // one press for a tap: no click after the touch
    Module._wendrix_press(button.dataset.key.charCodeAt(0), 0);
  };
  button.addEventListener('touchend', press);
  button.addEventListener('click', press);
}

const lacking = missing();
if (lacking) {
  wendrixSay(`Wendrix needs a browser with WebGL and WebAssembly; this one has no ${lacking}.`);
} else {
  const script = document.createElement('script');
  script.src = 'wendrix.js';
  document.body.appendChild(script);
}
