// The プリント panel: an exercise sheet made by the module (the same sheet as
// quotalis-cli --sheet for the same seed, kinds, count and difficulty),
// previewed, printed on A4 (the exercises, then the answer key from a new
// page: the print style sheet shows nothing else) and its LaTeX downloaded.
// The sheet is made in a worker of its own, as the checks are, started
// when the first sheet is asked for.
var QUOTALIS_SHEET_WORDS = {
  ja: {
    heading: 'プリント', seed: 'シード', count: '問題の数', difficulty: '難しさ', kinds: '問題の種類',
    explain: '解答に途中の計算', make: 'プリントを作る', print: 'プリントを印刷',
    download: 'LaTeX をダウンロード', title: '循環小数と分数', answers: '解答',
    blanks: '　　組　　番　名前', date: '日付', seedLine: 'シード {seed}',
    pure: '純循環小数を分数に', 'pre-period': '循環節の前に数字がある小数を分数に',
    whole: '整数部分がある小数を分数に', 'to-decimal': '分数を循環小数に',
    'mixed-number': '小数を帯分数に', rounded: '電卓の表示を分数に',
    failed: 'プリントを作れませんでした: {message}',
  },
  en: {
    heading: 'Exercise sheet', seed: 'Seed', count: 'Exercises', difficulty: 'Difficulty',
    kinds: 'Kinds', explain: 'Working in the answer key', make: 'Make the sheet',
    print: 'Print the sheet', download: 'Download the LaTeX', title: 'Recurring decimals and fractions',
    answers: 'Answers', blanks: 'Class ____ Number ____ Name ____________', date: 'Date',
    seedLine: 'seed {seed}', pure: 'pure recurring to a fraction',
    'pre-period': 'digits before the period', whole: 'with a whole part',
    'to-decimal': 'a fraction to its decimal', 'mixed-number': 'as a mixed number',
    rounded: "a calculator's display", failed: 'The sheet could not be made: {message}',
  },
};
var QUOTALIS_SHEET_KINDS = ['pure', 'pre-period', 'whole', 'to-decimal', 'mixed-number', 'rounded'];

function quotalisSheetPanel() {
  'use strict';
  function $(id) { return document.getElementById(id); }
  var ui = {
    area: $('sheet-area'), seed: $('sheet-seed'), count: $('sheet-count'),
    difficulty: $('sheet-difficulty'), explain: $('sheet-explain'), make: $('sheet-make'),
    print: $('sheet-print'), download: $('sheet-download'), status: $('sheet-status'),
    preview: $('sheet-preview'), kinds: $('sheet-kinds'),
  };
  if (!ui.area) return null;
  var worker = null, nextId = 1, latest = 0, language = 'ja', latex = '', sheet = null;

  function words() { return QUOTALIS_SHEET_WORDS[language]; }
  function say(text, args) {
    return text.replace(/\{(\w+)\}/g, function (all, name) { return name in args ? args[name] : all; });
  }
  function el(tag, className, text) {
    var e = document.createElement(tag);
    if (className) e.className = className;
    if (text !== undefined) e.textContent = text;
    return e;
  }

  // A value as the sheet prints it: a fraction stacked, a recurring decimal
  // with a dot (U+0307) over the first and last digits of its period.
  function value(text) {
    var span = el('span', 'sheet-value');
    var m = /^(?:(\d+) )?(\d+)\/(\d+)$/.exec(text);
    if (m) {
      if (m[1]) span.appendChild(el('span', 'sheet-whole', m[1]));
      var f = el('span', 'sheet-fraction');
      f.appendChild(el('span', 'sheet-numerator', m[2]));
      f.appendChild(el('span', 'sheet-denominator', m[3]));
      span.appendChild(f);
      return span;
    }
    var d = /^(\d+\.\d*)\((\d+)\)$/.exec(text);
    if (d) {
      var p = d[2];
      var dotted = p.length === 1 ? p + '\u0307'
                                  : p[0] + '\u0307' + p.slice(1, -1) + p[p.length - 1] + '\u0307';
      span.textContent = d[1] + dotted;
      span.setAttribute('aria-label', text);
      return span;
    }
    span.textContent = text;
    return span;
  }

  function item(number, text, className) {
    var li = el('li', className);
    li.setAttribute('data-number', String(number));
    li.appendChild(el('span', 'sheet-number', '(' + number + ')'));
    li.appendChild(value(text));
    return li;
  }

  function show(response) {
    var w = words();
    ui.preview.textContent = '';
    if (response.error !== undefined) {
      ui.status.textContent = say(w.failed, {message: response.error});
      sheet = null;
      latex = '';
      ui.download.disabled = ui.print.disabled = true;
      return;
    }
    sheet = response.sheet;
    latex = response.latex;
    ui.status.textContent = '';
    var page = el('div', 'sheet-page sheet-exercises');
    var head = el('div', 'sheet-head');
    head.appendChild(el('h3', '', w.title));
    head.appendChild(el('span', 'sheet-seed', say(w.seedLine, {seed: sheet.seed})));
    page.appendChild(head);
    page.appendChild(el('p', 'sheet-blanks', w.blanks + '　　' + w.date + ' ________'));
    var list = null, kind = null;
    sheet.exercises.forEach(function (e) {
      if (e.kind !== kind) {
        kind = e.kind;
        page.appendChild(el('h4', '', w[kind]));
        list = el('ol', 'sheet-list' + (kind === 'rounded' ? ' sheet-wide' : ''));
        page.appendChild(list);
      }
      list.appendChild(item(e.number, e.question, 'sheet-question'));
    });
    var key = el('div', 'sheet-page sheet-key');
    var keyHead = el('div', 'sheet-head');
    keyHead.appendChild(el('h3', '', w.answers));
    keyHead.appendChild(el('span', 'sheet-seed', say(w.seedLine, {seed: sheet.seed})));
    key.appendChild(keyHead);
    var answers = el('ol', 'sheet-list sheet-answers');
    sheet.exercises.forEach(function (e) { answers.appendChild(item(e.number, e.answer, 'sheet-answer')); });
    key.appendChild(answers);
    ui.preview.appendChild(page);
    ui.preview.appendChild(key);
    ui.download.disabled = ui.print.disabled = false;
  }

  function kindsAsked() {
    var asked = [];
    QUOTALIS_SHEET_KINDS.forEach(function (k) {
      var box = $('sheet-kind-' + k);
      if (box && box.checked) asked.push(k);
    });
    return asked;
  }

  function make() {
    // The worker, and the module it loads, only once a sheet is asked for.
    if (!worker) start();
    if (!worker) return;
    if (ui.seed.value.trim() === '') ui.seed.value = String(Math.floor(Math.random() * 1000000));
    var request = {
      seed: ui.seed.value.trim(), count: ui.count.value.trim(), difficulty: ui.difficulty.value,
      kinds: kindsAsked(), explain: ui.explain.checked, language: language,
    };
    latest = nextId++;
    ui.area.setAttribute('aria-busy', 'true');
    worker.postMessage({id: latest, sheet: request});
  }

  function label() {
    var w = words();
    ui.area.querySelectorAll('[data-sheet-word]').forEach(function (e) {
      e.textContent = w[e.getAttribute('data-sheet-word')];
    });
  }

  function start() {
    if (typeof quotalisWorkerSource !== 'function' || typeof Worker === 'undefined') return;
    var url = URL.createObjectURL(new Blob([quotalisWorkerSource()], {type: 'text/javascript'}));
    worker = new Worker(url);
    worker.onmessage = function (event) {
      var m = event.data;
      if (m.type !== 'sheet' || m.id !== latest) return;
      ui.area.setAttribute('aria-busy', 'false');
      if (m.failure !== null || !m.response) {
        show({error: m.failure || 'no answer'});
        return;
      }
      show(JSON.parse(m.response));
    };
  }

  ui.make.addEventListener('click', make);
  ui.print.addEventListener('click', function () {
    document.body.classList.add('printing-sheet');
    window.print();
  });
  window.addEventListener('afterprint', function () { document.body.classList.remove('printing-sheet'); });
  ui.download.addEventListener('click', function () {
    if (!latex || !sheet) return;
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([latex], {type: 'application/x-tex'}));
    link.download = 'sheet-' + sheet.seed + '.tex';
    document.body.appendChild(link);
    link.click();
    link.remove();
  });
  ui.download.disabled = ui.print.disabled = true;
  label();
  return {
    setLanguage: function (newLanguage) {
      if (newLanguage === language) return;
      language = newLanguage;
      label();
      if (sheet) make();
    },
    // What the preview shows, for the tests: {seed, exercises, latex}.
    shown: function () { return sheet ? {seed: sheet.seed, exercises: sheet.exercises, latex: latex} : null; },
  };
}
