// The page kept for use without the network: served over http(s), it
// registers its service worker (sw.js, which build-page.sh writes with the
// list of the page's files and a version made of their contents), which
// keeps every file on the first visit and answers from them afterwards. A
// new version is fetched in the background; once it has taken over, the
// page says so, and the next opening uses it. A page opened from disk has no
// service worker, and needs none.
//
// The manifest, which makes the page installable, is linked here too: from
// disk the browser refuses to read it, and says so in the console.
(function () {
  'use strict';

  if (!/^https?:$/.test(location.protocol)) return;
  var manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest';
  document.head.appendChild(manifest);
  if (!('serviceWorker' in navigator)) return;
  var note = document.getElementById('update');
  // A page that a worker already answered, and that another one takes over,
  // is running the version before.
  var answered = Boolean(navigator.serviceWorker.controller);
  navigator.serviceWorker.addEventListener('controllerchange', function () {
    if (answered) note.hidden = false;
    answered = true;
  });
  document.getElementById('reload').addEventListener('click', function () { location.reload(); });
  navigator.serviceWorker.register('sw.js').catch(function () {
    // No worker (a private window, a browser that refuses): the page works
    // on, only not offline.
  });
})();
