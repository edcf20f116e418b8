// What the page draws of an answer and of the entry: the answer or the
// refusal, the working (the module's markup kept safe), and the entry with
// its recurring digits.

function quotalisElement(tag, className, text) {
  var e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

// `text` into `e`, each digit that carries a combining dot (U+0307) or line
// (U+0305) drawn with the mark by the page's own means (an emphasis dot, an
// overline), which every face sets on its digit and every print keeps; the
// combining character stays in the text, unseen, for copying and reading.
function quotalisMarked(e, text) {
  var parts = text.split(/([0-9a-zA-Z][\u0307\u0305])/);
  parts.forEach(function (part, i) {
    if (i % 2 === 0) {
      if (part) e.appendChild(document.createTextNode(part));
      return;
    }
    e.appendChild(quotalisElement('span', part[1] === '\u0307' ? 'dotted' : 'lined', part[0]));
    e.appendChild(quotalisElement('span', 'mark-char', part[1]));
  });
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

// A fraction as a pupil writes it: a whole number as itself (9, not 9/1).
function quotalisFraction(r) {
  if (r.mixed !== undefined) return r.mixed;
  return r.denominator === '1' ? r.numerator : r.fraction;
}

// The digits of a decimal answer without the note a cut one ends in (the
// note, in English for programs, is the page's to word: quotalisFacts).
function quotalisDigits(r) {
  var d = r.decimal;
  if (!r.cut) return d;
  var note = d.lastIndexOf(' [');
  return note < 0 ? d : d.slice(0, note);
}

// Whether the answer is an expansion (a fraction's decimal, or any entry's
// expansion in the base asked), or a decimal's fraction.
function quotalisIsDecimal(r) {
  return r.reading === 'fraction' || r.reading === 'mixed' ||
         (r.base !== undefined && r.unreduced === undefined && r.low === undefined);
}

// The answer shown: what the pupil writes for it.
function quotalisShownAnswer(r) {
  return quotalisIsDecimal(r) ? quotalisDigits(r) : quotalisFraction(r);
}

// What the answer equals, in the order a pupil writes it: the entry as
// typed ("3 1/4 = 13/4 = 3.25", "0.(9) = 1", "9 = 9"), then the decimal it
// was read as where the slider gave its period, or where that decimal writes a period otherwise
// than the entry did ("0.1666... = 0.16̇ = 1/6"). `periodGiven`: whether
// the slider gave the entry its K. Each is followed by the relation to the
// next: "=", or "≈" for a rounded display.
function quotalisLeftSide(r, periodGiven) {
  var entry = r.input.replace(/[\s\u3000]+/g, ' ').trim();
  var sides = [];
  if (r.low !== undefined) return [entry + ' \u2248'];
  var answer = quotalisShownAnswer(r);
  if (quotalisIsDecimal(r)) {
    sides.push(entry);
    var fraction = quotalisFraction(r);
    if (fraction !== entry && fraction !== answer) sides.push(fraction);
  } else {
    var recurs = r.period !== 0 && r.period !== '0';
    if (!periodGiven) sides.push(entry);
    // (A decimal in another base is not written again without its base.)
    var inBase = r.base !== undefined && r.base !== 10;
    if (!inBase && (periodGiven || (recurs && r.decimal !== entry))) sides.push(r.decimal);
    if (inBase && periodGiven) sides.push(entry);
  }
  return sides.filter(function (side, i) { return sides.indexOf(side) === i; })
      .map(function (side) { return side + ' ='; });
}

var QUOTALIS_LONG_ANSWER = 2000;  // characters of an answer shown before it is cut
var QUOTALIS_LONG_PERIOD = 10;    // a period of this many digits or more has its length said
var QUOTALIS_DISPLAY_DIGITS = 10; // a decimal of this many digits may be a calculator's display

// What the answer's fields say that its digits do not show at a glance: a
// long period's length, and how a decimal cut by the digit limit was cut.
function quotalisFacts(r, w, language) {
  var facts = [];
  var n = function (x) { return typeof x === 'number' ? x.toLocaleString(language) : String(x); };
  if (r.period === null) {
    facts.push(quotalisSay(w.periodAbove, {length: n(r.periodAbove)}));
  } else if (r.period !== undefined && (typeof r.period === 'string' || r.period >= QUOTALIS_LONG_PERIOD)) {
    facts.push(quotalisSay(w.periodLength, {length: n(r.period)}));
  }
  if (r.cut) {
    // The digits written after the point, before the note.
    var digits = quotalisDigits(r), point = digits.indexOf('.');
    var shown = point < 0 ? 0 : (digits.slice(point + 1).match(/[0-9]/g) || []).length;
    facts.push(shown < r.nonRecurring
                   ? quotalisSay(w.cutNonRecurring, {shown: n(shown), length: n(r.nonRecurring)})
                   : quotalisSay(w.cutPeriod, {shown: n(shown - r.nonRecurring)}));
  }
  return facts;
}

// Whether the answer is a plain decimal of as many digits as a calculator
// shows, which the page offers to read as a rounded display.
function quotalisLooksLikeADisplay(r, readsAsRounded, periodGiven) {
  if (!readsAsRounded || periodGiven || r.reading !== 'plain' || r.low !== undefined) return false;
  var point = r.input.indexOf('.') >= 0 ? r.input.indexOf('.') : r.input.indexOf('\uff0e');
  if (point < 0) return false;
  return (r.input.slice(point + 1).match(/[0-9\uff10-\uff19]/g) || []).length >= QUOTALIS_DISPLAY_DIGITS;
}

// The answer `r` in `ui.answer`, what it equals before it when short, and
// the facts its fields tell (quotalisFacts) beside it; a long one cut, its
// length said in `ui.long`. `offerRounded`: a button to read the entry as a
// rounded display, which calls it.
function quotalisShowValue(ui, r, w, language, periodGiven, offerRounded) {
  var answer = quotalisShownAnswer(r), line = quotalisElement('p', 'value');
  var left = quotalisLeftSide(r, periodGiven).filter(function (side) { return side.length <= 80; });
  if (left.length) line.appendChild(quotalisMarked(quotalisElement('span', 'lhs'), left.join(' ') + ' '));
  var long = answer.length > QUOTALIS_LONG_ANSWER;
  var value = quotalisMarked(quotalisElement('span', ''),
                             long ? answer.slice(0, QUOTALIS_LONG_ANSWER) + '\u2026' : answer);
  value.id = 'answer-value';
  line.appendChild(value);
  // An expansion in another base is subscripted with it, as 0.0(0011)₂; a
  // screen reader hears the base in words.
  if (quotalisIsDecimal(r) && r.base !== undefined && r.base !== 10) {
    var base = quotalisElement('sub', 'base', String(r.base));
    base.id = 'answer-base';
    base.setAttribute('aria-hidden', 'true');
    line.appendChild(base);
    line.appendChild(quotalisElement('span', 'offscreen', ' ' + quotalisSay(w.baseName, {base: r.base})));
  }
  // The facts first, where a long answer's first lines are: its end is
  // never in view.
  quotalisFacts(r, w, language).forEach(function (fact) {
    ui.answer.appendChild(quotalisElement('p', 'fact', fact));
  });
  ui.answer.appendChild(line);
  if (long) {
    ui.longNote.textContent = quotalisSay(w.longAnswer, {
      shown: QUOTALIS_LONG_ANSWER.toLocaleString(language),
      total: quotalisMainAnswer(r).length.toLocaleString(language),
    });
    ui.long.hidden = false;
    line.classList.add('long-value');
    // A screen reader is told the length, not read two thousand digits.
    value.setAttribute('aria-hidden', 'true');
    ui.answer.appendChild(quotalisElement('span', 'offscreen', ui.longNote.textContent));
  }
  if (offerRounded) {
    var offer = quotalisElement('button', 'offer', w.readAsRounded);
    offer.type = 'button';
    offer.id = 'read-as-rounded';
    offer.addEventListener('click', offerRounded);
    ui.answer.appendChild(offer);
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

// ---- the number a computer stores (コンピュータの中の値)

function quotalisMath(tag, children) {
  var e = document.createElementNS(QUOTALIS_MATHML, tag);
  (children || []).forEach(function (c) {
    e.appendChild(typeof c === 'string' ? document.createTextNode(c) : c);
  });
  return e;
}

// `text` ("-3/8", "0.125", "0") as MathML: a fraction stacked, a minus as
// an operator; `base` (2) a subscript on a number in another base.
function quotalisMathNumber(text, base) {
  var minus = text.charAt(0) === '-';
  var body = minus ? text.slice(1) : text;
  var slash = body.indexOf('/');
  var number = slash < 0 ? quotalisMath('mn', [body])
                         : quotalisMath('mfrac', [quotalisMath('mn', [body.slice(0, slash)]),
                                                  quotalisMath('mn', [body.slice(slash + 1)])]);
  if (base) number = quotalisMath('msub', [number, quotalisMath('mn', [String(base)])]);
  var row = minus ? [quotalisMath('mo', ['\u2212']), number] : [number];
  // A fraction at the size of the text beside it, not shrunk as in a line.
  var style = quotalisMath('mstyle', [quotalisMath('mrow', row)]);
  style.setAttribute('displaystyle', 'true');
  var math = quotalisMath('math', [style]);
  math.setAttribute('display', 'inline');
  // What a screen reader and a copy take: the number as written.
  math.setAttribute('alttext', text + (base ? ' (base ' + base + ')' : ''));
  return math;
}

// The bits of `hex` ("0x3FB999999999999A"), `width` of them, as 0s and 1s.
function quotalisBits(hex, width) {
  var bits = '';
  hex.replace(/^0x/i, '').split('').forEach(function (digit) {
    bits += ('000' + parseInt(digit, 16).toString(2)).slice(-4);
  });
  while (bits.length < width) bits = '0' + bits;
  return bits.slice(-width);
}

// The stored number's answer `s` (the module's, with "binary") in `area`:
// its value as a fraction, exactly as a decimal and in binary, its error,
// and its bits; an infinity said so; a refusal as its sentence. `s` null:
// nothing shown.
function quotalisShowStored(area, s, w) {
  area.textContent = '';
  area.hidden = s === null;
  if (s === null) return;
  if (s.error !== undefined && s.format === undefined) {
    area.appendChild(quotalisElement('p', 'refusal', quotalisSay(w.storedRefused, {message: s.error})));
    return;
  }
  var list = quotalisElement('dl', 'stored-list');
  var row = function (word, content, name) {
    var term = quotalisElement('dt', '', w[word]);
    var value = quotalisElement('dd', '');
    value.setAttribute('data-stored', name);
    (Array.isArray(content) ? content : [content]).forEach(function (c) { value.appendChild(c); });
    list.appendChild(term);
    list.appendChild(value);
  };
  var infinite = s['class'] === 'infinity';
  if (infinite) {
    var sign = s.sign ? '\u2212\u221e' : '+\u221e';
    area.appendChild(quotalisElement('p', 'fact', quotalisSay(w.storedInfinity, {value: sign})));
    row('storedValue', quotalisElement('span', 'number', sign), 'stored');
  } else {
    if (s['class'] === 'subnormal') area.appendChild(quotalisElement('p', 'fact', w.storedSubnormal));
    row('storedValue', quotalisMathNumber(s.stored), 'stored');
    row('storedDecimalValue', quotalisElement('span', 'number', s.storedDecimal), 'storedDecimal');
    row('storedBinaryValue', quotalisMathNumber(s.storedBinary, 2), 'storedBinary');
    if (/^-?0(\/1)?$/.test(s.storedError)) {
      row('storedError', quotalisElement('span', '', w.storedExact), 'error');
    } else {
      row('storedError', [quotalisMathNumber(s.storedError), document.createTextNode(' = '),
                          quotalisElement('span', 'number', s.storedErrorDecimal)], 'error');
    }
  }
  // The bits in their three fields, each named, then the whole in hexadecimal.
  var width = s.format === 'binary32' ? 32 : 64, exponentWidth = s.format === 'binary32' ? 8 : 11;
  var bits = quotalisBits(s.bits, width);
  var fields = quotalisElement('span', 'bits');
  [['sign', bits.slice(0, 1), w.storedSign],
   ['exponent', bits.slice(1, 1 + exponentWidth),
    w.storedExponent + (infinite || s['class'] === 'zero' ? ''
                        : ' (' + quotalisSay(w.storedExponentIs, {exponent: s.exponent}) + ')')],
   ['significand', bits.slice(1 + exponentWidth), w.storedSignificand]].forEach(function (f) {
    var field = quotalisElement('span', 'bit-field ' + f[0]);
    field.appendChild(quotalisElement('span', 'bit-name', f[2]));
    field.appendChild(quotalisElement('code', 'bit-digits', f[1]));
    fields.appendChild(field);
  });
  row('storedBits', fields, 'bits');
  row('storedHex', quotalisElement('code', 'number', s.bits), 'hex');
  area.appendChild(list);
  if (typeof s.workingMathml === 'string' && s.workingMathml !== '') {
    var working = quotalisElement('div', 'stored-working');
    working.appendChild(quotalisLayOutSentences(quotalisSafeMarkup(s.workingMathml)));
    area.appendChild(working);
  }
}
