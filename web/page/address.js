// The page's address carries the entry and the choices, so that a link (on a
// slide, in a message) opens the page on a working:
//   index.html#q=0.3(42)               the entry
//   &k=2                               the slider's K, for a plain decimal
//   &n=dots                            the notation chosen (a module name)
//   &mixed=1 &rounded=1 &explain=0     the options that differ from the page's
//   &lang=en                           the language, when one was chosen
//   &base=2 &to=16                     the entry's base, the answer's (when not 10, the entry's)
//   &stored=binary64                   the number a computer stores, when it is shown
// The page writes only what differs from its defaults, and keeps the
// address in step as the pupil types (history.replaceState: the back button
// is not filled with keystrokes).

var QUOTALIS_ADDRESS_NAMES = ['q', 'k', 'n', 'mixed', 'rounded', 'explain', 'lang', 'base', 'to', 'stored'];

// A base from 2 to 36 as the address writes it, else undefined.
function quotalisAddressBase(text) {
  return /^[0-9]{1,2}$/.test(text) && Number(text) >= 2 && Number(text) <= 36 ? Number(text) : undefined;
}

// The fields of an address's fragment, as strings, by name; unknown names
// and text that does not decode are passed over.
function quotalisReadAddress(hash) {
  var found = {};
  String(hash || '').replace(/^#/, '').split('&').forEach(function (part) {
    if (part === '') return;
    var equals = part.indexOf('=');
    var name = equals < 0 ? part : part.slice(0, equals);
    var value = equals < 0 ? '' : part.slice(equals + 1);
    try {
      name = decodeURIComponent(name);
      value = decodeURIComponent(value);
    } catch (e) {
      return;
    }
    if (QUOTALIS_ADDRESS_NAMES.indexOf(name) >= 0) found[name] = value;
  });
  return found;
}

// The choices the fields give, each left out when the address does not give
// it: {entry, period, notation, mixed, rounded, explain, language, base,
// toBase, stored}.
function quotalisAddressChoices(fields) {
  var choices = {};
  var flag = function (text) { return text === '1' || text === 'true' || text === ''; };
  if ('q' in fields) choices.entry = fields.q;
  if ('k' in fields && /^[0-9]{1,9}$/.test(fields.k)) choices.period = Number(fields.k);
  if ('n' in fields && fields.n !== '') choices.notation = fields.n;
  if ('mixed' in fields) choices.mixed = flag(fields.mixed);
  if ('rounded' in fields) choices.rounded = flag(fields.rounded);
  if ('explain' in fields) choices.explain = flag(fields.explain);
  if (fields.lang === 'ja' || fields.lang === 'en') choices.language = fields.lang;
  if ('base' in fields && quotalisAddressBase(fields.base)) choices.base = quotalisAddressBase(fields.base);
  if ('to' in fields && quotalisAddressBase(fields.to)) choices.toBase = quotalisAddressBase(fields.to);
  if (fields.stored === 'binary64' || fields.stored === 'binary32') choices.stored = fields.stored;
  return choices;
}

// Text for the fragment: escaped where it must be, the characters of an
// entry kept as they read ("0.3(42)", "1/7"). A space is %20, never "+",
// which is a sign.
function quotalisAddressText(text) {
  return encodeURIComponent(text).replace(/%2F/gi, '/');
}

// The fragment for `choices` (as quotalisAddressChoices gives them, every
// one present), "" when all are the page's defaults.
function quotalisWriteAddress(choices) {
  var parts = [];
  if (choices.entry !== '') parts.push('q=' + quotalisAddressText(choices.entry));
  if (choices.period > 0) parts.push('k=' + choices.period);
  if (choices.notation) parts.push('n=' + quotalisAddressText(choices.notation));
  if (choices.mixed) parts.push('mixed=1');
  if (choices.rounded) parts.push('rounded=1');
  if (!choices.explain) parts.push('explain=0');
  if (choices.language) parts.push('lang=' + choices.language);
  if (choices.base && choices.base !== 10) parts.push('base=' + choices.base);
  if (choices.toBase) parts.push('to=' + choices.toBase);
  if (choices.stored) parts.push('stored=' + choices.stored);
  return parts.length ? '#' + parts.join('&') : '';
}

// Puts `fragment` in the address in place of the current one, adding no
// step to the history; a page opened from disk may refuse it, and keeps
// working.
function quotalisKeepAddress(fragment) {
  if (fragment === location.hash || (fragment === '' && location.hash === '')) return;
  try {
    history.replaceState(history.state, '', fragment || location.pathname + location.search);
  } catch (e) {
    // The address stays as it was.
  }
}
