// Quotalis for JavaScript: exact fractions and recurring decimals, from the
// same engine as the command line, compiled to WebAssembly (engine.js, the
// WebAssembly inside it). An ES module with no dependencies, for node, browsers
// and workers alike. README.md shows how it is used; index.d.ts declares it.
import QuotalisModule from './engine.js';

// The kinds of refusal, as the engine names them.
export const ERROR_KINDS = Object.freeze([
  'empty', 'encoding', 'character', 'syntax', 'zero-denominator', 'too-large', 'argument',
  'unwritable',
]);

// Why an entry, or an option, has no answer: `message` in the language asked
// for, `kind` one of ERROR_KINDS, `position` the character at fault (1 for
// the first; 0 when the fault is not in one character), `input` the entry
// (null when an option is at fault).
export class QuotalisError extends Error {
  constructor(message, { kind, position, input }) {
    super(message);
    this.name = 'QuotalisError';
    this.kind = kind;
    this.position = position;
    this.input = input;
  }
}

// The options each method takes: the command line's, in camel case, and
// `bigint` for the numbers as BigInt rather than strings. A new option of
// the engine's request (web/module/page_request.cpp reads it) is one name
// here and one line of index.d.ts; a new function of the engine's that takes
// one request object, as its check does, is a row here and a method
//   name(options) { return this.#ask('name', this.#options('name', options)); }
const COMMON = ['language'];
const BASES = ['base', 'toBase'];
const ANSWER_OPTIONS = [...COMMON, ...BASES, 'period', 'notation', 'mixed', 'maxDigits', 'bigint'];
const OPTIONS = {
  toFraction: ANSWER_OPTIONS,
  toDecimal: ANSWER_OPTIONS,
  fromRounded: ANSWER_OPTIONS,
  explain: [...COMMON, ...BASES, 'format', 'period', 'notation', 'mixed', 'maxDigits', 'rounded'],
  stored: [...COMMON, 'format', 'notation'],
  check: COMMON,
  sheet: [...COMMON, 'seed', 'count', 'kinds', 'difficulty', 'explain'],
};
// The fields of an answer that hold whole numbers, strings or BigInt.
const NUMBERS = ['numerator', 'denominator', 'nonRecurring', 'period', 'periodAbove'];
const FORMATS = { text: 'workingText', latex: 'workingLatex', mathml: 'workingMathml' };

function isNode() {
  return typeof process === 'object' && process !== null && typeof process.versions === 'object' &&
    process.versions !== null && typeof process.versions.node === 'string';
}

class Engine {
  #m;
  #dead = false;

  constructor(m) {
    this.#m = m;
    // quotalis-cli --version's number.
    this.version = m.version();
  }

  // A decimal in any notation, or a mixed number, to its fraction in lowest
  // terms; a fraction is reduced.
  toFraction(entry, options) {
    return this.#answer('toFraction', entry, options, {});
  }

  // A fraction (or a mixed number) to its decimal, the period marked in the
  // notation asked for; a decimal is written in that notation.
  toDecimal(entry, options) {
    return this.#answer('toDecimal', entry, options, {});
  }

  // The simplest fraction that a display rounded at its last digit may stand
  // for, and the interval it stands for.
  fromRounded(display, options) {
    return this.#answer('fromRounded', display, options, { rounded: true });
  }

  // The number a computer stores for a decimal: the IEEE 754 binary64
  // (format 'binary64', the default) or binary32 nearest it, its exact
  // value, its error and its bits.
  stored(entry, options) {
    const o = this.#options('stored', options);
    const format = o.format === undefined ? 'binary64' : o.format;
    if (format !== 'binary64' && format !== 'binary32') this.#refuseOption('format', 'binary', o.language);
    delete o.format;
    return this.#ask('answer', { ...o, entry, binary: format });
  }

  // The working, step by step, as text (lines joined by '\n'), LaTeX or
  // MathML.
  explain(entry, options) {
    const o = this.#options('explain', options);
    const format = o.format === undefined ? 'text' : o.format;
    if (!Object.hasOwn(FORMATS, format)) this.#refuseOption('format', 'format', o.language);
    delete o.format;
    const a = this.#ask('answer', { ...o, entry, explain: true });
    return a[FORMATS[format]];
  }

  // A pupil's working (lines joined by '\n', or an array of lines) checked
  // line by line against the entry's value.
  check(entry, working, options) {
    const o = this.#options('check', options);
    const language = this.#language(o.language);
    const lines = Array.isArray(working) ? working.join('\n') : working;
    if (typeof entry !== 'string') this.#ask('answer', { entry, language });
    if (typeof lines !== 'string') this.#refuseOption('working', 'string', language);
    return this.#ask('check', { entry, working: lines, language });
  }

  // An exercise sheet: the same exercises as quotalis-cli --sheet for the
  // same seed, kinds, count and difficulty, as data and as its LaTeX
  // document (with `explain`, the answer key holds each working).
  sheet(options) {
    const o = this.#options('sheet', options);
    if (o.kinds !== undefined && !Array.isArray(o.kinds)) this.#refuseOption('kinds', 'array', o.language);
    if (o.explain !== undefined && typeof o.explain !== 'boolean') this.#refuseOption('explain', 'flag', o.language);
    // As the command line does, a seed short enough to copy off the sheet.
    if (o.seed === undefined) o.seed = Math.floor(Math.random() * 1000000);
    return this.#ask('sheet', o);
  }

  #answer(method, entry, options, fixed) {
    const o = this.#options(method, options);
    const bigint = o.bigint === true;
    if (o.bigint !== undefined && typeof o.bigint !== 'boolean') this.#refuseOption('bigint', 'flag', o.language);
    delete o.bigint;
    const a = this.#ask('answer', { ...o, ...fixed, entry });
    for (const key of NUMBERS) {
      if (a[key] === undefined || a[key] === null) continue;
      a[key] = bigint ? BigInt(a[key]) : String(a[key]);
    }
    return a;
  }

  // The options given, a copy, every name one the method takes.
  #options(method, options) {
    if (options === undefined || options === null) return { language: 'en' };
    if (typeof options !== 'object' || Array.isArray(options)) this.#refuseOption('', 'object', 'en');
    const o = { ...options };
    if (o.language === undefined) o.language = 'en';
    for (const name of Object.keys(o)) {
      if (!OPTIONS[method].includes(name)) this.#refuseOption(name, 'unknown', o.language);
    }
    return o;
  }

  // The language, after the engine has refused any but "ja" and "en".
  #language(language) {
    if (language !== 'ja' && language !== 'en') this.#ask('answer', { entry: '0', language });
    return language;
  }

  // Refuses an option by its name: `needs` as RefuseOption (web/module) takes it.
  #refuseOption(name, needs, language) {
    this.#throwIfRefused(JSON.parse(this.#call('refuseOption', String(name), needs, language === 'ja' ? 'ja' : 'en')));
  }

  #ask(method, request) {
    return this.#throwIfRefused(JSON.parse(this.#call(method, request)));
  }

  #throwIfRefused(a) {
    if (a.error !== undefined) {
      throw new QuotalisError(a.error, { kind: a.kind, position: a.position, input: a.input ?? a.entry ?? null });
    }
    return a;
  }

  // One call into the WebAssembly. When it stops (memory exhausted inside
  // GMP aborts it) this engine is done with, and load() makes a new one.
  #call(method, ...args) {
    if (this.#dead) throw new Error('quotalis: this engine has stopped; load() gives a new one');
    try {
      return this.#m[method](...args);
    } catch (e) {
      this.#dead = true;
      if (current === this) {
        current = undefined;
        loaded = undefined;
      }
      throw e;
    }
  }
}

let loaded;  // the promise of the engine
let current;  // the engine, once made

async function start() {
  const settings = {};
  if (isNode()) {
    const { createRequire } = await import('node:module');
    settings.require = createRequire(import.meta.url);
  }
  return new Engine(await QuotalisModule(settings));
}

// The engine, made once and shared (compiling the WebAssembly takes a
// moment); a new one after one has stopped.
export function load() {
  if (loaded === undefined) {
    loaded = start().then((engine) => (current = engine), (e) => {
      loaded = undefined;
      throw e;
    });
  }
  return loaded;
}
