// What the page draws of an answer and of the entry: the answer or the
// refusal, the working (the module's markup kept safe), and the entry with
// its recurring digits.

function quotalisElement(tag, className, text) {
  var e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

// The module's markup, kept to MathML and a few plain HTML elements, with
// no scripts, handlers, links or styles that load anything, since it
// quotes what was typed.
var QUOTALIS_MATHML = 'http://www.w3.org/1998/Math/MathML';
var QUOTALIS_HTML_KEPT = {DIV: 1, P: 1, SPAN: 1, BR: 1, OL: 1, UL: 1, LI: 1};
function quotalisSafeMarkup(markup) {
  var template = document.createElement('template');
  template.innerHTML = markup;
  Array.from(template.content.querySelectorAll('*')).forEach(function (e) {
    if (e.namespaceURI !== QUOTALIS_MATHML && !QUOTALIS_HTML_KEPT[e.tagName]) {
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

// Which characters are digits, to highlight the last K of them; which
// entries take K, and how many, is the module's to say (periodRoom).
var QUOTALIS_DIGIT = /[0-9\uff10-\uff19]/;

// `text` once more in `view`: its last `k` digits highlighted, and the
// character a refusal points at (1 for the first; past the end for a
// refusal at the end; 0 for none).
function quotalisShowEntry(view, text, k, faultPosition) {
  var chars = Array.from(text), end = chars.length;
  while (end > 0 && /[\s\u3000]/.test(chars[end - 1])) --end;
  var first = end;
  for (var seen = 0; seen < k && first > 0; --first) {
    if (QUOTALIS_DIGIT.test(chars[first - 1])) ++seen;
  }
  // Each character's class: '' plain, 'recurring' or 'fault'; runs of one
  // class become one node, so a long entry stays cheap to show.
  var kindOf = function (i) {
    if (i + 1 === faultPosition) return 'fault';
    return k > 0 && i >= first && i < end ? 'recurring' : '';
  };
  view.textContent = '';
  var run = '', runKind = '';
  var flush = function () {
    if (run === '') return;
    if (runKind === '') {
      view.appendChild(document.createTextNode(run));
    } else {
      view.appendChild(quotalisElement('mark', runKind, run));
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
  if (faultPosition > chars.length) view.appendChild(quotalisElement('mark', 'fault', '\u00a0'));
  view.hidden = chars.length === 0;
}

// What the command line prints for the entry: a fraction's decimal, or a
// decimal's fraction (as a mixed number when asked).
function quotalisMainAnswer(r) {
  if (r.reading === 'fraction' || r.reading === 'mixed') return r.decimal;
  return r.mixed !== undefined ? r.mixed : r.fraction;
}

// What the answer equals, shown before it when short.
function quotalisLeftSide(r) {
  if (r.low !== undefined) return r.input.trim() + ' \u2248';
  if (r.reading === 'fraction' || r.reading === 'mixed') {
    return (r.mixed !== undefined ? r.mixed : r.fraction) + ' =';
  }
  return r.decimal + ' =';
}

var QUOTALIS_LONG_ANSWER = 2000;  // characters of an answer shown before it is cut

// The answer `r` in `ui.answer`, what it equals before it when short; a long
// one cut, its length said in `ui.long`.
function quotalisShowValue(ui, r, w, language) {
  var answer = quotalisMainAnswer(r), line = quotalisElement('p', 'value');
  var left = quotalisLeftSide(r);
  if (left.length <= 80) line.appendChild(quotalisElement('span', 'lhs', left + ' '));
  var long = answer.length > QUOTALIS_LONG_ANSWER;
  var value = quotalisElement('span', '', long ? answer.slice(0, QUOTALIS_LONG_ANSWER) + '\u2026' : answer);
  value.id = 'answer-value';
  line.appendChild(value);
  ui.answer.appendChild(line);
  if (long) {
    ui.longNote.textContent = quotalisSay(w.longAnswer, {
      shown: QUOTALIS_LONG_ANSWER.toLocaleString(language),
      total: answer.length.toLocaleString(language),
    });
    ui.long.hidden = false;
    // A screen reader is told the length, not read two thousand digits.
    value.setAttribute('aria-hidden', 'true');
    ui.answer.appendChild(quotalisElement('span', 'offscreen', ui.longNote.textContent));
  }
}

// The refusal `r` in `area`, and the character it points at; gives that
// character's position (0 for none).
function quotalisShowRefusal(area, r, w) {
  var fault = r.position || 0;
  area.appendChild(quotalisElement('p', 'refusal', r.error));
  if (fault > 0) {
    var c = Array.from(r.input || '')[fault - 1];
    var where = quotalisElement('p', 'where', quotalisSay(w.fault, {position: fault}) + ': ');
    where.appendChild(quotalisElement('mark', 'fault', c === undefined ? '\u00a0' : c));
    area.appendChild(where);
  }
  return fault;
}

// The working of `r` in `ui.working`: its MathML, else its text, else a
// note; `r` undefined when the working is not to be shown at all.
function quotalisShowWorking(ui, r, w) {
  var show = r !== undefined;
  ui.workingHeading.hidden = !show;
  ui.working.hidden = !show;
  ui.copyText.parentNode.hidden = !show;
  ui.working.textContent = '';
  if (!show) return;
  if (r && typeof r.workingMathml === 'string' && r.workingMathml !== '') {
    ui.working.appendChild(quotalisLayOutSentences(quotalisSafeMarkup(r.workingMathml)));
  } else if (r && typeof r.workingText === 'string') {
    ui.working.appendChild(quotalisElement('pre', 'plain', r.workingText));
  } else {
    ui.working.appendChild(quotalisElement('p', 'note', w.noWorking));
  }
  ui.copyText.disabled = ui.copyLatex.disabled = !(r && typeof r.workingText === 'string');
}
