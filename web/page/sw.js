// The page's service worker. build-page.sh writes the two lines below: the
// version, made of every file's contents, and the list of the page's files,
// relative to this one's folder (the page may stand in any folder of any
// server).
var QUOTALIS_VERSION = '@VERSION@';
var QUOTALIS_FILES = ['@FILES@'];

var QUOTALIS_CACHE = 'quotalis-' + QUOTALIS_VERSION;

// Every file is fetched afresh from the server (not from the browser's
// cache, which may hold the version before) and kept; the new version takes
// over at once, so the next opening is wholly the new one.
self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(QUOTALIS_CACHE).then(function (cache) {
    return cache.addAll(QUOTALIS_FILES.map(function (file) { return new Request(file, {cache: 'reload'}); }));
  }).then(function () { return self.skipWaiting(); }));
});

// The versions before are dropped; the pages open now are answered by this one.
self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('quotalis-') === 0 && name !== QUOTALIS_CACHE;
    }).map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

// A file of the page comes from what was kept, whatever follows its path
// ("?", the folder for its index.html); anything else goes to the network.
self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET') return;
  event.respondWith(caches.open(QUOTALIS_CACHE).then(function (cache) {
    return cache.match(request, {ignoreSearch: true}).then(function (kept) {
      return kept || fetch(request);
    });
  }));
});
