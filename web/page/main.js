// The page: it reads the controls into a request, hands it to the worker
// (which runs the WebAssembly module), and shows the module's answer, its
// refusal or its working. A keystroke flows: an input event -> update() ->
// submit() -> the worker -> onWorkerMessage() -> render().
(function () {
  'use strict';

  var LONG_ANSWER = 2000;  // characters of an answer shown before it is cut
  var SLOW_MS = 300;       // a computation longer than this shows its time and a cancel button
  var MATHML = 'http://www.w3.org/1998/Math/MathML';

  function $(id) { return document.getElementById(id); }
  var ui = {
    language: $('language'), entry: $('entry'), entryView: $('entry-view'), period: $('period'),
    periodValue: $('period-value'), keypad: $('keypad'), notation: $('notation'), mixed: $('mixed'),
    rounded: $('rounded'), roundedNote: $('rounded-note'), explain: $('explain'), answer: $('answer'),
    progress: $('progress'), elapsed: $('elapsed'), cancel: $('cancel'), long: $('long'),
    longNote: $('long-note'),
    copyAnswer: $('copy-answer'), longStatus: $('long-status'), downloadAnswer: $('download-answer'),
    working: $('working'), workingHeading: $('working-heading'), copyText: $('copy-text'),
    copyLatex: $('copy-latex'), copyStatus: $('copy-status'), version: $('version'), clipboard: $('clipboard-text'),
  };

  var state = {
    language: 'ja',
    response: null,   // the module's last answer, parsed, for the entry on show
    failure: null,    // why the module could not answer, when it could not
    cancelled: false,
    version: '',
    // What the module says of the entry on show (the worker asks it beside
    // the answer): how far K reaches, null when the entry takes none; and
    // whether it reads as a rounded display.
    periodRoom: null,
    readsAsRounded: false,
    notations: null,  // {ja: [{name, label}], en: [...]}, from the module
  };

  function words() { return QUOTALIS_WORDS[state.language]; }

  // Japanese unless the browser lists English before Japanese.
  function preferredLanguage() {
    var list = navigator.languages && navigator.languages.length ? navigator.languages
                                                                 : [navigator.language || 'ja'];
    for (var i = 0; i < list.length; ++i) {
      var tag = String(list[i]).toLowerCase();
      if (tag === 'ja' || tag.indexOf('ja-') === 0) return 'ja';
      if (tag === 'en' || tag.indexOf('en-') === 0) return 'en';
    }
    return 'ja';
  }

  // ---- the entry and its recurring digits

  // Which characters are digits, to highlight the last K of them; which
  // entries take K, and how many, is the module's to say (state.periodRoom).
  var DIGIT = /[0-9\uff10-\uff19]/;

  function recurring() {
    return ui.period.disabled ? 0 : Number(ui.period.value);
  }

  // The slider reaches as far as the module says the entry's K may, and
  // follows it as digits are deleted; it is off for an entry that takes no K
  // and for a rounded display.
  function updateSlider() {
    var room = state.periodRoom === null ? 0 : state.periodRoom;
    var usable = room > 0 && !ui.rounded.checked;
    ui.period.max = String(room);
    ui.period.value = String(usable ? Math.min(Number(ui.period.value), room) : 0);
    ui.period.disabled = !usable;
    showPeriodValue();
    ui.roundedNote.hidden = state.readsAsRounded || ui.entry.value.trim() === '';
  }

  function showPeriodValue() {
    var w = words(), k = recurring();
    ui.periodValue.textContent = ui.period.disabled ? w.periodOff
                                 : k === 0 ? w.periodNone : quotalisSay(w.periodSome, {k: k});
    ui.period.setAttribute('aria-valuetext', ui.periodValue.textContent);
  }

  // The entry once more under the field: its recurring digits highlighted,
  // and the character a refusal points at (1 for the first; past the end
  // for a refusal at the end).
  function renderEntryView(faultPosition) {
    var chars = Array.from(ui.entry.value);
    var k = recurring(), end = chars.length;
    while (end > 0 && /[\s\u3000]/.test(chars[end - 1])) --end;
    var first = end;
    for (var seen = 0; seen < k && first > 0; --first) {
      if (DIGIT.test(chars[first - 1])) ++seen;
    }
    // Each character's class: '' plain, 'recurring' or 'fault'; runs of one
    // class become one node, so a long entry stays cheap to show.
    var kindOf = function (i) {
      if (i + 1 === faultPosition) return 'fault';
      return k > 0 && i >= first && i < end ? 'recurring' : '';
    };
    ui.entryView.textContent = '';
    var run = '', runKind = '';
    var flush = function () {
      if (run === '') return;
      if (runKind === '') {
        ui.entryView.appendChild(document.createTextNode(run));
      } else {
        ui.entryView.appendChild(element('mark', runKind, run));
      }
      run = '';
    };
    for (var i = 0; i < chars.length; ++i) {
      var kind = kindOf(i);
      if (kind !== runKind) flush();
      runKind = kind;
      run += chars[i];
    }
    flush();
    if (faultPosition > chars.length) ui.entryView.appendChild(element('mark', 'fault', '\u00a0'));
    ui.entryView.hidden = chars.length === 0;
  }

  // ---- the worker

  var worker = null, workerUrl = null;
  var busy = null;      // {id, started}: the request the worker is on
  var pending = null;   // the latest request, waiting for the worker
  var latestId = 0, nextId = 1, ticker = 0;

  function startWorker() {
    if (!workerUrl) {
      workerUrl = URL.createObjectURL(new Blob([quotalisWorkerSource()], {type: 'text/javascript'}));
    }
    worker = new Worker(workerUrl);
    busy = null;
    worker.onmessage = onWorkerMessage;
    worker.onerror = function (event) {
      event.preventDefault();
      fail('loadFailed', event.message || 'worker error');
    };
  }

  function restartWorker() {
    worker.terminate();
    startWorker();
  }

  function post(message) {
    busy = {id: message.id, started: performance.now()};
    worker.postMessage(message);
    if (!ticker) ticker = setInterval(tick, 100);
  }

  // The worker puts the slider's K into the request if the entry takes one.
  function submit(request, slider) {
    var message = {id: nextId++, request: request, slider: slider};
    latestId = message.id;
    ui.answer.setAttribute('aria-busy', 'true');
    if (!busy) {
      post(message);
    } else {
      pending = message;
      dropStale();
    }
  }

  // A slow answer to an entry no longer shown is of no use: end it.
  function dropStale() {
    if (pending && busy && performance.now() - busy.started > SLOW_MS) {
      restartWorker();
      post(pending);
      pending = null;
    }
  }

  function onWorkerMessage(event) {
    var m = event.data;
    if (m.type === 'ready') {
      state.version = m.version;
      state.notations = m.notations;
      fillNotations();
      showVersion();
    } else if (m.type === 'failed') {
      fail('loadFailed', m.message);
    } else if (m.type === 'answer') {
      busy = null;
      var response = m.failure === null ? JSON.parse(m.response) : null;
      // After an exception, or memory run out (GMP may have stopped half-way),
      // the module's memory may be in any state: start afresh.
      if (!response || response.kind === 'too-large') restartWorker();
      if (pending) {
        post(pending);
        pending = null;
      }
      if (m.id === latestId) {
        if (!response) {
          fail('answerFailed', m.failure);
          return;
        }
        state.failure = null;
        state.response = response;
        state.periodRoom = m.periodRoom;
        state.readsAsRounded = m.readsAsRounded;
        updateSlider();
        render();
      }
    }
    tick();
  }

  function fail(word, message) {
    busy = null;
    pending = null;
    state.response = null;
    state.failure = {word: word, message: message};
    render();
    tick();
  }

  function tick() {
    dropStale();
    var slow = busy && performance.now() - busy.started > SLOW_MS;
    ui.progress.hidden = !slow;
    if (slow) {
      var seconds = ((performance.now() - busy.started) / 1000).toFixed(1);
      ui.elapsed.textContent = quotalisSay(words().computing, {seconds: seconds});
    }
    if (!busy && ticker) {
      clearInterval(ticker);
      ticker = 0;
    }
  }

  function cancel() {
    restartWorker();
    pending = null;
    latestId = 0;
    state.response = null;
    state.cancelled = true;
    render();
    tick();
    ui.entry.focus();
  }

  // ---- what the page asks and shows

  function request() {
    return {
      entry: ui.entry.value,
      period: null,  // the worker's to fill from the slider (submit)
      notation: ui.notation.value || null,  // none listed yet: the default
      mixed: ui.mixed.checked,
      explain: ui.explain.checked,
      rounded: ui.rounded.checked,
      maxDigits: null,
      language: state.language,
    };
  }

  function update() {
    updateSlider();
    state.cancelled = false;
    if (state.failure && state.failure.word === 'answerFailed') state.failure = null;
    if (ui.entry.value.trim() === '') {
      // Nothing typed yet: a prompt, not the module's refusal of an empty entry.
      latestId = 0;
      pending = null;
      if (busy && performance.now() - busy.started > SLOW_MS) restartWorker();
      state.response = null;
      state.periodRoom = null;
      state.readsAsRounded = false;
      updateSlider();
      render();
      tick();
      return;
    }
    submit(request(), recurring());
  }

  // What the command line prints for the entry: a fraction's decimal, or a
  // decimal's fraction (as a mixed number when asked).
  function mainAnswer(r) {
    if (r.reading === 'fraction' || r.reading === 'mixed') return r.decimal;
    return r.mixed !== undefined ? r.mixed : r.fraction;
  }

  // What the answer equals, shown before it when short.
  function leftSide(r) {
    if (r.low !== undefined) return r.input.trim() + ' \u2248';
    if (r.reading === 'fraction' || r.reading === 'mixed') {
      return (r.mixed !== undefined ? r.mixed : r.fraction) + ' =';
    }
    return r.decimal + ' =';
  }

  function element(tag, className, text) {
    var e = document.createElement(tag);
    if (className) e.className = className;
    if (text !== undefined) e.textContent = text;
    return e;
  }

  function render() {
    var w = words(), r = state.response;
    ui.answer.setAttribute('aria-busy', 'false');
    ui.answer.textContent = '';
    ui.long.hidden = true;
    ui.entry.removeAttribute('aria-invalid');
    var fault = 0;
    if (state.failure !== null) {
      var failure = quotalisSay(w[state.failure.word], {message: state.failure.message});
      ui.answer.appendChild(element('p', 'refusal', failure));
    } else if (state.cancelled) {
      ui.answer.appendChild(element('p', 'note', w.cancelled));
    } else if (ui.entry.value.trim() === '') {
      ui.answer.appendChild(element('p', 'note', w.typeNumber));
    } else if (!r) {
      ui.answer.appendChild(element('p', 'note', w.loading));
    } else if (r.error !== undefined) {
      fault = r.position || 0;
      ui.entry.setAttribute('aria-invalid', 'true');
      ui.answer.appendChild(element('p', 'refusal', r.error));
      if (fault > 0) {
        var c = Array.from(r.input || '')[fault - 1];
        var where = element('p', 'where', quotalisSay(w.fault, {position: fault}) + ': ');
        where.appendChild(element('mark', 'fault', c === undefined ? '\u00a0' : c));
        ui.answer.appendChild(where);
      }
    } else {
      var answer = mainAnswer(r), line = element('p', 'value');
      var left = leftSide(r);
      if (left.length <= 80) line.appendChild(element('span', 'lhs', left + ' '));
      var shown = answer.length > LONG_ANSWER ? answer.slice(0, LONG_ANSWER) + '\u2026' : answer;
      var value = element('span', '', shown);
      value.id = 'answer-value';
      line.appendChild(value);
      ui.answer.appendChild(line);
      if (answer.length > LONG_ANSWER) {
        ui.longNote.textContent = quotalisSay(w.longAnswer, {
          shown: LONG_ANSWER.toLocaleString(state.language),
          total: answer.length.toLocaleString(state.language),
        });
        ui.long.hidden = false;
        // A screen reader is told the length, not read two thousand digits.
        value.setAttribute('aria-hidden', 'true');
        ui.answer.appendChild(element('span', 'offscreen', ui.longNote.textContent));
      }
    }
    renderEntryView(fault);
    renderWorking(r);
  }

  function renderWorking(r) {
    var show = ui.explain.checked;
    ui.workingHeading.hidden = !show;
    ui.working.hidden = !show;
    ui.copyText.parentNode.hidden = !show;
    ui.working.textContent = '';
    if (!show) return;
    if (r && typeof r.workingMathml === 'string' && r.workingMathml !== '') {
      ui.working.appendChild(safeMarkup(r.workingMathml));
    } else if (r && typeof r.workingText === 'string') {
      ui.working.appendChild(element('pre', 'plain', r.workingText));
    } else {
      ui.working.appendChild(element('p', 'note', words().noWorking));
    }
    ui.copyText.disabled = ui.copyLatex.disabled = !(r && typeof r.workingText === 'string');
  }

  // The module's markup, kept to MathML and a few plain HTML elements, with
  // no scripts, handlers, links or styles that load anything, since it
  // quotes what was typed.
  var HTML_KEPT = {DIV: 1, P: 1, SPAN: 1, BR: 1, OL: 1, UL: 1, LI: 1};
  function safeMarkup(markup) {
    var template = document.createElement('template');
    template.innerHTML = markup;
    Array.from(template.content.querySelectorAll('*')).forEach(function (e) {
      if (e.namespaceURI !== MATHML && !HTML_KEPT[e.tagName]) {
        e.remove();
        return;
      }
      Array.from(e.attributes).forEach(function (a) {
        var name = a.name.toLowerCase();
        if (name.indexOf('on') === 0 || /href|src/.test(name) ||
            (name === 'style' && /url\(|@import|expression/i.test(a.value))) {
          e.removeAttribute(a.name);
        }
      });
    });
    return template.content;
  }

  // ---- copying and saving

  function say(text) {
    ui.copyStatus.textContent = text;
  }

  function copy(text, statusTarget) {
    var w = words();
    var show = function (message) {
      (statusTarget || ui.copyStatus).textContent = message;
    };
    if (typeof text !== 'string') {
      show(w.nothingToCopy);
      return;
    }
    ui.clipboard.value = text;
    var fallback = function () {
      // Without the asynchronous clipboard (a page opened from disk, an older
      // browser): select the hidden text and copy it the old way.
      var focused = document.activeElement;
      ui.clipboard.select();
      var done = false;
      try {
        done = document.execCommand('copy');
      } catch (e) {
        done = false;
      }
      if (focused) focused.focus();
      show(done ? w.copied : w.copyFailed);
    };
    if (navigator.clipboard && window.isSecureContext) {
      navigator.clipboard.writeText(text).then(function () { show(w.copied); }, fallback);
    } else {
      fallback();
    }
  }

  function download(text) {
    var url = URL.createObjectURL(new Blob([text], {type: 'text/plain;charset=utf-8'}));
    var a = document.createElement('a');
    a.href = url;
    a.download = 'quotalis-answer.txt';
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(function () { URL.revokeObjectURL(url); }, 10000);
  }

  // ---- the keypad

  function press(key) {
    var text = ui.entry.value;
    if (key === 'C') {
      text = '';
    } else if (key === 'BS') {
      text = Array.from(text).slice(0, -1).join('');
    } else if (key === '.') {
      if (/[.\uff0e]/.test(text)) return;  // one point, as on the desktop keypad
      text += '.';
    } else {
      text += key;
    }
    ui.entry.value = text;
    update();
  }

  // ---- labels

  function relabel() {
    var w = words();
    document.documentElement.lang = state.language;
    document.title = w.title;
    ui.language.value = state.language;
    Array.from(document.querySelectorAll('[data-word]')).forEach(function (e) {
      e.textContent = w[e.getAttribute('data-word')];
    });
    Array.from(document.querySelectorAll('[data-word-label]')).forEach(function (e) {
      e.setAttribute('aria-label', w[e.getAttribute('data-word-label')]);
    });
    fillNotations();
    var names = {'.': w.keyDot, BS: w.keyBack, C: w.keyClear};
    Array.from(ui.keypad.querySelectorAll('button')).forEach(function (b) {
      var key = b.getAttribute('data-key');
      b.textContent = key;
      if (names[key]) b.setAttribute('aria-label', names[key]);
    });
    showPeriodValue();
    showVersion();
  }

  // The notations as the module lists and labels them, in the page's
  // language; the one chosen stays chosen.
  function fillNotations() {
    if (!state.notations) return;
    var chosen = ui.notation.value;
    ui.notation.textContent = '';
    state.notations[state.language].forEach(function (n) {
      var option = document.createElement('option');
      option.value = n.name;
      option.textContent = n.label;
      ui.notation.appendChild(option);
    });
    if (chosen) ui.notation.value = chosen;
  }

  function showVersion() {
    ui.version.textContent = state.version ? quotalisSay(words().version, {version: state.version}) : '';
  }

  // ---- wiring

  function start() {
    state.language = preferredLanguage();
    relabel();
    ui.language.addEventListener('change', function () {
      state.language = ui.language.value === 'en' ? 'en' : 'ja';
      relabel();
      say('');
      update();  // the module words refusals and the working in the language
    });
    ui.entry.addEventListener('input', update);
    ui.period.addEventListener('input', update);
    [ui.notation, ui.mixed, ui.rounded, ui.explain].forEach(function (control) {
      control.addEventListener('change', update);
    });
    ui.keypad.addEventListener('click', function (event) {
      var button = event.target.closest('button[data-key]');
      if (button) press(button.getAttribute('data-key'));
    });
    ui.cancel.addEventListener('click', cancel);
    ui.copyText.addEventListener('click', function () {
      copy(state.response && state.response.workingText);
    });
    ui.copyLatex.addEventListener('click', function () {
      copy(state.response && state.response.workingLatex);
    });
    ui.copyAnswer.addEventListener('click', function () {
      copy(state.response && mainAnswer(state.response), ui.longStatus);
    });
    ui.downloadAnswer.addEventListener('click', function () {
      if (state.response) download(mainAnswer(state.response));
    });
    try {
      startWorker();
    } catch (e) {
      state.failure = {word: 'loadFailed', message: String((e && e.message) || e)};
    }
    update();
  }

  start();
})();
