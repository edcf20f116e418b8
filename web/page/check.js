// The 答え合わせ panel: the pupil types their own working, one step a line,
// and each line gets ○, ×, ? (or nothing, for words) as they type; the
// first wrong line is marked with its reason, and the slip and the step to
// redo close the list. The checks run in a worker of their own (the same
// module as the answers, worker.js), so that a long answer never holds them
// up; only the latest working is shown. The program's own working stays
// hidden while the pupil works, until they ask for it.
var QUOTALIS_CHECK_WORDS = {
  ja: {
    heading: '答え合わせ',
    label: '自分の途中の式（1行に1ステップ）',
    hint: '例: x = 0.1(6) とおく。 / 100x = 16.(6) / 10x = 1.(6) / 90x = 15 / x = 1/6',
    show: '見本の途中の式を見る',
    hide: '見本の途中の式を隠す',
    right: '正しい', wrong: 'まちがい', unreadable: '読めない', notLowest: '約分していない',
    line: '{n}行目',
    failed: '答え合わせができませんでした: {message}',
  },
  en: {
    heading: 'Check your working',
    label: 'Your working, one step a line',
    hint: 'e.g. Let x = 0.1(6) / 100x = 16.(6) / 10x = 1.(6) / 90x = 15 / x = 1/6',
    show: 'Show the working',
    hide: 'Hide the working',
    right: 'right', wrong: 'wrong', unreadable: 'cannot be read', notLowest: 'not in lowest terms',
    line: 'line {n}',
    failed: 'The working could not be checked: {message}',
  },
};

function quotalisCheckPanel(ui) {
  'use strict';
  var worker = null, latest = 0, nextId = 1, busy = false, pending = null;
  var entry = '', language = 'ja', shown = false;
  var marks = {right: '○', wrong: '×', unreadable: '?', 'not-lowest': '△', 'passed-over': ''};

  function words() { return QUOTALIS_CHECK_WORDS[language]; }
  function say(text, args) {
    return text.replace(/\{(\w+)\}/g, function (all, name) { return name in args ? args[name] : all; });
  }

  function start() {
    if (typeof quotalisWorkerSource !== 'function' || typeof Worker === 'undefined') return;
    var url = URL.createObjectURL(new Blob([quotalisWorkerSource()], {type: 'text/javascript'}));
    worker = new Worker(url);
    worker.onmessage = function (event) {
      var m = event.data;
      if (m.type !== 'check') return;
      busy = false;
      if (pending) {
        post(pending);
        pending = null;
      }
      if (m.id !== latest) return;
      ui.lines.setAttribute('aria-busy', 'false');
      if (m.failure !== null || !m.response) {
        failed(m.failure || 'no answer');
        return;
      }
      show(JSON.parse(m.response));
    };
  }

  function post(message) {
    busy = true;
    ui.lines.setAttribute('aria-busy', 'true');
    worker.postMessage(message);
  }

  function submit() {
    var working = ui.input.value;
    toggleWorking();
    if (!worker || working.trim() === '' || entry.trim() === '') {
      latest = 0;
      ui.lines.setAttribute('aria-busy', 'false');
      clear();
      return;
    }
    var message = {id: nextId++, check: {entry: entry, working: working, language: language}};
    latest = message.id;
    if (busy) pending = message;
    else post(message);
  }

  function clear() {
    ui.lines.textContent = '';
    ui.closing.textContent = '';
  }

  function failed(message) {
    clear();
    ui.closing.textContent = say(words().failed, {message: message});
  }

  function verdictWord(verdict) {
    var w = words();
    return verdict === 'right' ? w.right : verdict === 'wrong' ? w.wrong
           : verdict === 'unreadable' ? w.unreadable : verdict === 'not-lowest' ? w.notLowest : '';
  }

  // The lines are updated in place, so that a screen reader hears the line
  // whose verdict changed, not the whole list again.
  function show(result) {
    if (result.error) {
      clear();
      ui.closing.textContent = result.error;
      return;
    }
    var items = ui.lines.children;
    while (items.length > result.lines.length) ui.lines.removeChild(ui.lines.lastChild);
    result.lines.forEach(function (line, i) {
      var item = items[i];
      if (!item) {
        item = document.createElement('li');
        ['check-mark', 'check-text', 'check-reason'].forEach(function (name) {
          var part = document.createElement('span');
          part.className = name;
          item.appendChild(part);
        });
        ui.lines.appendChild(item);
      }
      item.className = 'check-line ' + line.verdict +
                       (result.firstWrong === i + 1 ? ' first-wrong' : '');
      var said = line.verdict === 'right' || line.verdict === 'passed-over' ? '' : line.reason;
      var mark = marks[line.verdict] || '';
      set(item.children[0], mark);
      item.children[0].setAttribute('aria-label', verdictWord(line.verdict) || ' ');
      set(item.children[1], line.text);
      set(item.children[2], said);
      item.children[2].hidden = said === '';
    });
    // The closing sentence: all right, or the first wrong line with its
    // slip and the step to redo.
    set(ui.closing, result.closing || '');
    ui.closing.className = 'check-closing ' + (result.correct ? 'right' : 'wrong');
  }

  function set(element, text) {
    if (element.textContent !== text) element.textContent = text;
  }

  // The program's own working is hidden while the pupil has a working of
  // their own in the box, until they ask for it.
  function toggleWorking() {
    var own = ui.input.value.trim() !== '';
    ui.working.hidden = own && !shown;
    ui.show.hidden = !own;
    ui.show.textContent = shown ? words().hide : words().show;
    ui.show.setAttribute('aria-expanded', String(shown));
  }

  function label() {
    var w = words();
    ui.heading.textContent = w.heading;
    ui.label.textContent = w.label;
    ui.hint.textContent = w.hint;
    toggleWorking();
  }

  // Whether the box was the last text field used, for the page's keypad.
  var active = false;
  document.addEventListener('focusin', function (event) {
    var t = event.target;
    if (t === ui.input) active = true;
    else if (t.tagName === 'INPUT' && t.type === 'text') active = false;
  });

  ui.input.addEventListener('input', submit);
  ui.show.addEventListener('click', function () {
    shown = !shown;
    toggleWorking();
  });
  start();
  label();

  return {
    // The entry on show and the page's language: the working is checked again.
    update: function (newEntry, newLanguage) {
      var relabel = newLanguage !== language;
      entry = newEntry;
      language = newLanguage;
      if (relabel) label();
      submit();
    },
    active: function () { return active; },
    // A key of the page's keypad, typed into the box at its caret: C clears
    // the box, BS deletes the character before the caret.
    press: function (key) {
      var box = ui.input, at = box.selectionStart, end = box.selectionEnd;
      if (key === 'C') {
        box.value = '';
        at = 0;
      } else if (key === 'BS') {
        var from = at === end ? Math.max(0, at - 1) : at;
        box.value = box.value.slice(0, from) + box.value.slice(end);
        at = from;
      } else {
        box.value = box.value.slice(0, at) + key + box.value.slice(end);
        at += key.length;
      }
      box.selectionStart = box.selectionEnd = at;
      submit();
    },
  };
}
