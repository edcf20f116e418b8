// The worker's body. The page never loads this file as a worker: Chromium
// refuses `new Worker('file:...')`, so the page builds the worker from a Blob
// holding the module's factory (QuotalisModule, loaded by quotalis.js) and
// this function, both taken as source text (quotalisWorkerSource).
function quotalisWorkerMain() {
  var module = null;
  var waiting = [];

  // The page's message is {id, request, slider}: the request as its controls
  // make it, and the K its slider shows. The module says whether the entry
  // takes K and how far (periodRoom), so K goes into the request only for an
  // entry that takes one, and never past its digits: an entry such as
  // "0.1(" is then refused for itself, not for a K it was never meant to
  // have. A message without `slider` is answered as it stands.
  function run(message) {
    // The 答え合わせ panel's own worker (check.js) asks for checks alone.
    if (message.check) {
      var checked = null, fault = null;
      try {
        checked = module.check(message.check);
      } catch (e) {
        fault = String((e && e.message) || e);
      }
      postMessage({type: 'check', id: message.id, response: checked, failure: fault});
      return;
    }
    // The プリント panel's own worker (sheet.js) asks for sheets alone.
    if (message.sheet) {
      var made = null, trouble = null;
      try {
        made = module.sheet(message.sheet);
      } catch (e) {
        trouble = String((e && e.message) || e);
      }
      postMessage({type: 'sheet', id: message.id, response: made, failure: trouble});
      return;
    }
    var started = performance.now();
    var request = message.request;
    var response = null;
    var failure = null;
    var room = null;
    var rounded = false;
    try {
      room = module.periodRoom(request.entry);
      rounded = module.readsAsRounded(request.entry);
      if ('slider' in message) {
        var k = Math.min(message.slider, room === null ? 0 : room);
        request.period = k > 0 && !request.rounded ? k : null;
      }
      response = module.answer(request);
    } catch (e) {
      failure = String((e && e.message) || e);
    }
    postMessage({
      type: 'answer',
      id: message.id,
      response: response,
      failure: failure,
      periodRoom: room,
      readsAsRounded: rounded,
      ms: performance.now() - started,
    });
  }

  onmessage = function (event) {
    if (module) run(event.data);
    else waiting.push(event.data);
  };

  QuotalisModule().then(
    function (m) {
      module = m;
      // The notations' list, labelled in both languages: the page has no
      // module of its own to ask.
      postMessage({type: 'ready', version: m.version(),
                   notations: {ja: m.notations('ja'), en: m.notations('en')}});
      var queued = waiting;
      waiting = [];
      queued.forEach(run);
    },
    function (e) {
      postMessage({type: 'failed', message: String((e && e.message) || e)});
    });
}

// The worker's whole text. `_scriptDir` is declared because emscripten's
// factory reads it from the closure it was defined in, which the Blob lacks.
function quotalisWorkerSource() {
  return 'var _scriptDir;\nvar QuotalisModule = ' + QuotalisModule.toString() + ';\n(' +
         quotalisWorkerMain.toString() + ')();\n';
}
