// The service worker: keeps every file of the page on its install, so that
// the page works with no network after the first visit, and answers from
// those copies first. files.js, written with the site, lists the files and
// names their version; a new version is a new cache, and the old one goes.
importScripts('files.js');

const CACHE = `tandrel-${self.TANDREL_VERSION}`;

self.addEventListener('install', (event) => {
  event.waitUntil(
    caches
      .open(CACHE)
      // From the server, never the browser's HTTP cache, which may still hold the version before.
      .then((cache) => cache.addAll(self.TANDREL_FILES.map((file) => new Request(file, { cache: 'reload' }))))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) => names.filter((name) => name.startsWith('tandrel-') && name !== CACHE))
      .then((old) => Promise.all(old.map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    caches.match(event.request, { ignoreSearch: true }).then((kept) => kept ?? fetch(event.request)),
  );
});
