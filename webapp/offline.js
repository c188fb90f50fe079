// Wendrix's service worker: this build's files kept in a cache named for the build, so
// that the page opens and runs with no network after one visit. A new build's worker
// caches its whole set under its own name, waits until a page that has all its files
// tells it to take over, then deletes the caches of the builds before it.
'use strict';

const BUILD = '@WENDRIX_BUILD@';
const FILES = [@WENDRIX_FILES@];
// Caches are the origin's: another copy of Wendrix in another folder keeps its own.
const FOLDER = 'wendrix ' + self.registration.scope + ' ';
const CACHE = FOLDER + BUILD;

self.addEventListener('install', (event) => {
  // Past the browser's HTTP cache: an earlier build's file there would join this build's set.
  event.waitUntil(caches.open(CACHE).then((cache) =>
    cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' })))));
});

self.addEventListener('message', (event) => {
  if (event.data === 'take over') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith(FOLDER) && name !== CACHE)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  const scope = new URL(self.registration.scope);
  if (event.request.method !== 'GET' || url.origin !== scope.origin ||
      !url.pathname.startsWith(scope.pathname)) {
    return;
  }
  // The folder itself is its index.html, whatever the address's options.
  const file = url.pathname.slice(scope.pathname.length) || 'index.html';
  if (!FILES.includes(file)) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(file))
    .then((kept) => kept || fetch(event.request)));
});
