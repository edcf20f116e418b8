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
    var stored = null;
    var format = request.stored;  // the page's, not the module's
    delete request.stored;
    try {
      room = module.periodRoom(request.entry);
      rounded = module.readsAsRounded(request.entry);
      if ('slider' in message) {
        var k = Math.min(message.slider, room === null ? 0 : room);
        request.period = k > 0 && !request.rounded ? k : null;
      }
      // The page's own request (with `slider`) is shown without a working
      // where the module writes none; any other is answered as it stands.
      var page = 'slider' in message;
      response = page ? answered(request) : module.answer(request);
      stored = storedAnswer(request, format);
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
      stored: stored,
      ms: performance.now() - started,
    });
  }

  // The number a computer stores for the entry, when the page asks for it
  // (`format`: "binary64" or "binary32"): the entry read as the answer
  // reads it, in its own base, with the same K, answered with "binary", and
  // its working with the answer's when the module gives one.
  function storedAnswer(request, format) {
    if (!format) return null;
    var asked = {entry: request.entry, period: request.period, notation: request.notation,
                 explain: request.explain, base: request.base, binary: format,
                 language: request.language};
    return answered(asked);
  }

  // The module's answer to `request`; one it cannot give a working for (an
  // entry in another base, the stored number) is asked again without one,
  // and the page shows it without a working.
  function answered(request) {
    var text = module.answer(request);
    if (request.explain && text.indexOf('"kind":"unwritable"') >= 0) {
      var again = JSON.parse(text);
      if (again.error !== undefined && again.kind === 'unwritable') {
        request.explain = false;
        text = module.answer(request);
        request.explain = true;
      }
    }
    return text;
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
