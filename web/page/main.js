// The page: it reads the controls into a request, hands it to the worker
// (which runs the WebAssembly module) through its link (link.js), and shows
// the module's answer, its refusal or its working (view.js). A keystroke
// flows: an input event -> update() -> link.submit() -> the worker ->
// onAnswer() -> render().
(function () {
  'use strict';

  var element = quotalisElement;

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
    base: $('base'), toBase: $('to-base'), storedFormat: $('stored-format'), stored: $('stored'),
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
    // The notation the pupil (or a link) chose, by name; until one is chosen,
    // null: the language's default, which follows the language.
    notation: null,
    languageChosen: false,  // by the pupil or a link, so that a link carries it
    // A link's K, until the module has said how far the entry takes one
    // (the slider cannot hold it before): then it goes to the slider.
    linkedPeriod: null,
    stored: null,  // the module's answer for the number stored, parsed; null when not asked
  };

  // The notation a language's readers write a period in by default: dots in
  // Japanese, as the textbooks print them, parentheses in English.
  function defaultNotation() { return state.language === 'ja' ? 'dots' : 'parentheses'; }

  // Whether the slider's K goes into the request: the entry takes one and
  // it is not read as a rounded display (the worker keeps K within the
  // entry's digits).
  function periodGiven() { return recurring() > 0 && !ui.rounded.checked; }

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

  // ---- the worker

  var link = quotalisWorkerLink({
    ready: function (m) {
      state.version = m.version;
      state.notations = m.notations;
      fillNotations();
      showVersion();
    },
    answer: function (m, response) {
      state.failure = null;
      state.response = response;
      state.periodRoom = m.periodRoom;
      state.readsAsRounded = m.readsAsRounded;
      state.stored = typeof m.stored === 'string' ? JSON.parse(m.stored) : null;
      if (state.linkedPeriod !== null) {
        ui.period.max = String(m.periodRoom || 0);
        ui.period.value = String(state.linkedPeriod);
        state.linkedPeriod = null;
      }
      updateSlider();
      render();
    },
    failed: function (word, message) {
      state.response = null;
      state.stored = null;
      state.failure = {word: word, message: message};
      render();
    },
    progress: function (ms) {
      ui.progress.hidden = ms === null;
      if (ms !== null) {
        ui.elapsed.textContent = quotalisSay(words().computing, {seconds: (ms / 1000).toFixed(1)});
      }
    },
  });

  function cancel() {
    link.cancel();
    state.response = null;
    state.cancelled = true;
    render();
    ui.entry.focus();
  }

  // ---- what the page asks and shows

  function request() {
    return {
      entry: ui.entry.value,
      period: null,  // the worker's to fill from the slider (submit)
      notation: state.notation || defaultNotation(),
      mixed: ui.mixed.checked,
      explain: ui.explain.checked,
      rounded: ui.rounded.checked,
      maxDigits: null,
      language: state.language,
      base: entryBase(),
      toBase: answerBase(),
      stored: ui.storedFormat.value || null,  // the worker's: it asks for the stored number beside
    };
  }

  // ---- the bases (進数)

  // The entry's base, 10 unless chosen; the answer's, null for the entry's.
  function entryBase() { return Number(ui.base.value) || 10; }
  function answerBase() { return ui.toBase.value === '' ? null : Number(ui.toBase.value); }

  // The two lists of bases, labelled in the page's language; the choices stay.
  function fillBases() {
    var w = words();
    [ui.base, ui.toBase].forEach(function (list) {
      var chosen = list.value || (list === ui.base ? '10' : '');
      list.textContent = '';
      if (list === ui.toBase) list.appendChild(new Option(w.baseSame, ''));
      for (var b = 2; b <= 36; ++b) list.appendChild(new Option(quotalisSay(w.baseName, {base: b}), String(b)));
      list.value = chosen;
    });
  }

  function update() {
    updateCheck();
    updateSlider();
    state.cancelled = false;
    if (state.failure && state.failure.word === 'answerFailed') state.failure = null;
    if (ui.entry.value.trim() === '') {
      // Nothing typed yet: a prompt, not the module's refusal of an empty entry.
      link.forget();
      state.response = null;
      state.stored = null;
      state.periodRoom = null;
      state.readsAsRounded = false;
      state.linkedPeriod = null;
      updateSlider();
      render();
      keepAddress();
      return;
    }
    ui.answer.setAttribute('aria-busy', 'true');
    link.submit(request(), state.linkedPeriod !== null ? state.linkedPeriod : recurring());
    keepAddress();
  }

  // ---- the address (address.js)

  function keepAddress() {
    var k = state.linkedPeriod !== null ? state.linkedPeriod : periodGiven() ? recurring() : 0;
    quotalisKeepAddress(quotalisWriteAddress({
      entry: ui.entry.value, period: k, notation: state.notation, mixed: ui.mixed.checked,
      rounded: ui.rounded.checked, explain: ui.explain.checked,
      language: state.languageChosen ? state.language : null,
      base: entryBase(), toBase: answerBase(), stored: ui.storedFormat.value,
    }));
  }

  // The entry and the choices a link gives; what it leaves out stays.
  function followAddress() {
    var c = quotalisAddressChoices(quotalisReadAddress(location.hash));
    if (c.language) {
      state.language = c.language;
      state.languageChosen = true;
    }
    if (c.entry !== undefined) ui.entry.value = c.entry;
    if (c.notation) state.notation = c.notation;
    if (c.mixed !== undefined) ui.mixed.checked = c.mixed;
    if (c.rounded !== undefined) ui.rounded.checked = c.rounded;
    if (c.explain !== undefined) ui.explain.checked = c.explain;
    if (c.base !== undefined) ui.base.value = String(c.base);
    if (c.toBase !== undefined) ui.toBase.value = c.toBase === null ? '' : String(c.toBase);
    if (c.stored !== undefined) ui.storedFormat.value = c.stored;
    state.linkedPeriod = c.period !== undefined ? c.period : null;
  }

  // The 答え合わせ panel (check.js), told the entry and the language.
  var check = null;
  function updateCheck() {
    if (check) check.update(ui.entry.value, state.language);
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
      ui.entry.setAttribute('aria-invalid', 'true');
      fault = quotalisShowRefusal(ui.answer, r, w);
    } else {
      var given = periodGiven();
      var offer = quotalisLooksLikeADisplay(r, state.readsAsRounded, given) && !ui.rounded.checked
                      ? readAsRounded : null;
      quotalisShowValue(ui, r, w, state.language, given, offer);
    }
    quotalisShowStored(ui.stored, ui.storedFormat.value && !state.failure && !state.cancelled &&
                                      ui.entry.value.trim() !== '' ? state.stored : null, w);
    quotalisShowEntry(ui.entryView, ui.entry.value, recurring(), fault);
    // The echo keeps one line's room: it shows the character at fault, else
    // the entry's end, where its recurring digits are.
    var mark = ui.entryView.querySelector('mark.fault');
    ui.entryView.scrollTop = mark ? mark.offsetTop - ui.entryView.offsetTop : ui.entryView.scrollHeight;
    quotalisShowWorking(ui, ui.explain.checked ? r : undefined, w);
  }

  // The one tap that reads a calculator's display as rounded.
  function readAsRounded() {
    ui.rounded.checked = true;
    update();
    ui.entry.focus();
  }

  // ---- the keypad

  function press(key) {
    // The keypad types into the 答え合わせ box when it was the last one used.
    if (check && check.active()) {
      check.press(key);
      return;
    }
    var text = ui.entry.value;
    if (key === 'C') {
      text = '';
    } else if (key === 'BS') {
      text = Array.from(text).slice(0, -1).join('');
    } else if (key === '.') {
      if (/[.\uff0e]/.test(text)) return;  // one point, as on the desktop keypad
      text += '.';
    } else if (key === 'space') {
      text += ' ';  // between a mixed number's whole part and its fraction
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
    fillBases();
    var names = {'.': w.keyDot, BS: w.keyBack, C: w.keyClear, '/': w.keySlash, '(': w.keyOpen,
                 ')': w.keyClose, '\u2212': w.keyMinus, '\u2026': w.keyEllipsis, space: w.keySpace};
    Array.from(ui.keypad.querySelectorAll('button')).forEach(function (b) {
      var key = b.getAttribute('data-key');
      b.textContent = key === 'space' ? w.keySpaceCaption : key;
      if (names[key]) b.setAttribute('aria-label', names[key]);
    });
    showPeriodValue();
    showVersion();
    if (window.quotalisSheet) window.quotalisSheet.setLanguage(state.language);
  }

  // The notations as the module lists and labels them, in the page's
  // language; the one chosen stays chosen, and until one is, the language's
  // default is.
  function fillNotations() {
    if (!state.notations) return;
    var chosen = state.notation || defaultNotation();
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
    fillBases();
    followAddress();
    relabel();
    window.addEventListener('hashchange', function () {
      followAddress();
      relabel();
      update();
    });
    ui.language.addEventListener('change', function () {
      state.language = ui.language.value === 'en' ? 'en' : 'ja';
      state.languageChosen = true;
      relabel();
      ui.copyStatus.textContent = '';
      update();  // the module words refusals and the working in the language
    });
    ui.entry.addEventListener('input', update);
    ui.period.addEventListener('input', update);
    ui.notation.addEventListener('change', function () { state.notation = ui.notation.value; });
    [ui.notation, ui.mixed, ui.rounded, ui.explain, ui.base, ui.toBase, ui.storedFormat].forEach(function (control) {
      control.addEventListener('change', update);
    });
    ui.keypad.addEventListener('click', function (event) {
      var button = event.target.closest('button[data-key]');
      if (button) press(button.getAttribute('data-key'));
    });
    ui.cancel.addEventListener('click', cancel);
    var copy = function (text, status) { quotalisCopy(text, ui.clipboard, status, words()); };
    ui.copyText.addEventListener('click', function () {
      copy(state.response && state.response.workingText, ui.copyStatus);
    });
    ui.copyLatex.addEventListener('click', function () {
      copy(state.response && state.response.workingLatex, ui.copyStatus);
    });
    ui.copyAnswer.addEventListener('click', function () {
      copy(state.response && quotalisMainAnswer(state.response), ui.longStatus);
    });
    ui.downloadAnswer.addEventListener('click', function () {
      if (state.response) quotalisDownload(quotalisMainAnswer(state.response));
    });
    try {
      link.start();
    } catch (e) {
      state.failure = {word: 'loadFailed', message: String((e && e.message) || e)};
    }
    check = quotalisCheckPanel({
      input: $('check-working'), lines: $('check-lines'), closing: $('check-closing'),
      heading: $('check-heading'), label: $('check-label'), hint: $('check-hint'),
      show: $('show-working'), working: $('working-area'),
    });
    window.quotalisSheet = quotalisSheetPanel();
    if (window.quotalisSheet) window.quotalisSheet.setLanguage(state.language);
    update();
  }

  start();
})();
