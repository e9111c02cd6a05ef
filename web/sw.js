// The page offline: on install every file of the site (files.json, written
// with this release) is kept in a cache named after the release; a request
// is answered from it, else from the network. A new release has a new name:
// it fills its own cache and removes the old one when it takes over.
const RELEASE = '@RELEASE@';
const CACHE = 'orrin-' + RELEASE;

self.addEventListener('install', (e) => {
  e.waitUntil((async () => {
    const files = await (await fetch('files.json', { cache: 'no-cache' })).json();
    const cache = await caches.open(CACHE);
    await cache.addAll(files.map((f) => new Request(f, { cache: 'no-cache' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (e) => {
  e.waitUntil((async () => {
    for (const name of await caches.keys()) if (name.startsWith('orrin-') && name !== CACHE) await caches.delete(name);
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET' || new URL(e.request.url).origin !== location.origin) return;
  // The page itself under any query (?lang=en) is index.html.
  e.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const hit = await cache.match(e.request, { ignoreSearch: e.request.mode === 'navigate' });
    return hit ?? fetch(e.request);
  })());
});
