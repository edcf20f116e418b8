// The page's link to its worker (worker.js), which runs the module. Only the
// latest request is answered; a slow one that a newer one waits behind, or
// that is cancelled, ends its worker, and so does an exception or memory run
// out, after which the module's memory may be in any state: a fresh worker
// starts each time.
var QUOTALIS_SLOW_MS = 300;  // a computation longer than this shows its time and a cancel button

// `on` holds the page's handlers:
//   ready(message)             the module has started: {version, notations}
//   answer(message, response)  the latest request's answer, `response` parsed
//   failed(word, message)      the module could not start ('loadFailed') or
//                              threw ('answerFailed')
//   progress(ms)               the time of a computation past
//                              QUOTALIS_SLOW_MS, or null when none is
function quotalisWorkerLink(on) {
  var worker = null, workerUrl = null;
  var busy = null;     // {id, started}: the request the worker is on
  var pending = null;  // the latest request, waiting for the worker
  var latestId = 0, nextId = 1, ticker = 0;

  function start() {
    if (!workerUrl) {
      workerUrl = URL.createObjectURL(new Blob([quotalisWorkerSource()], {type: 'text/javascript'}));
    }
    worker = new Worker(workerUrl);
    busy = null;
    worker.onmessage = onMessage;
    worker.onerror = function (event) {
      event.preventDefault();
      lost('loadFailed', event.message || 'worker error');
    };
  }

  function restart() {
    worker.terminate();
    start();
  }

  function post(message) {
    busy = {id: message.id, started: performance.now()};
    worker.postMessage(message);
    if (!ticker) ticker = setInterval(tick, 100);
  }

  function slow() {
    return busy !== null && performance.now() - busy.started > QUOTALIS_SLOW_MS;
  }

  // A slow answer to an entry no longer shown is of no use: end it.
  function dropStale() {
    if (pending && slow()) {
      restart();
      post(pending);
      pending = null;
    }
  }

  function onMessage(event) {
    var m = event.data;
    if (m.type === 'ready') {
      on.ready(m);
    } else if (m.type === 'failed') {
      lost('loadFailed', m.message);
    } else if (m.type === 'answer') {
      busy = null;
      var response = m.failure === null ? JSON.parse(m.response) : null;
      if (!response || response.kind === 'too-large') restart();
      if (pending) {
        post(pending);
        pending = null;
      }
      if (m.id === latestId) {
        if (!response) {
          lost('answerFailed', m.failure);
          return;
        }
        on.answer(m, response);
      }
    }
    tick();
  }

  function lost(word, message) {
    busy = null;
    pending = null;
    on.failed(word, message);
    tick();
  }

  function tick() {
    dropStale();
    on.progress(slow() ? performance.now() - busy.started : null);
    if (!busy && ticker) {
      clearInterval(ticker);
      ticker = 0;
    }
  }

  return {
    start: start,
    // The page's request and the K its slider shows, which the worker puts
    // into the request if the entry takes one.
    submit: function (request, slider) {
      var message = {id: nextId++, request: request, slider: slider};
      latestId = message.id;
      if (!busy) {
        post(message);
      } else {
        pending = message;
        dropStale();
      }
    },
    // Nothing is to be answered now (the entry was emptied): a slow
    // computation is ended.
    forget: function () {
      latestId = 0;
      pending = null;
      if (slow()) restart();
      tick();
    },
    cancel: function () {
      restart();
      pending = null;
      latestId = 0;
      tick();
    },
  };
}
