// The worker's body. The page never loads this file as a worker: Chromium
// refuses `new Worker('file:...')`, so the page builds the worker from a Blob
// holding the module's factory (QuotalisModule, loaded by quotalis.js) and
// this function, both taken as source text (quotalisWorkerSource).
function quotalisWorkerMain() {
  var module = null;
  var waiting = [];

  function run(message) {
    var started = performance.now();
    var response = null;
    var failure = null;
    try {
      response = module.answer(message.request);
    } catch (e) {
      failure = String((e && e.message) || e);
    }
    postMessage({
      type: 'answer',
      id: message.id,
      response: response,
      failure: failure,
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
      postMessage({type: 'ready', version: m.version()});
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
