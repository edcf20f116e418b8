// The page's module under node:
//   node web/tests/module_test.js build/web/quotalis.js QUOTALIS_CLI shared-entries.txt
// 1. The factory's source text, evaluated alone in a context like a Web
//    Worker made from a Blob (no document, no require, no file name), loads
//    the module and answers, as the page's worker does.
// 2. Every line of the shared table, in English and Japanese, gets from
//    m.answer (the page's request object) exactly the object the native
//    quotalis-cli writes with --json; with --explain, workingText and
//    workingLatex are exactly its --explain text and --explain --notation
//    latex (its periods marked with dots or a line when dots or overline is
//    asked, as every format of the working then marks them).
// 3. With "explain", workingMathml is the native renderer's (the files of
//    tests/working/mathml/).
// 4. A request that is not an object, or a field of the wrong type or value,
//    gets a refusal object naming it in the request's language (the
//    sentences written out here), never an exception; the fields' accepted
//    forms answer as the command line's options do.
// 5. m.notations(language), m.periodRoom(entry) and m.readsAsRounded(entry)
//    against answers written out here.
// 6. m.check (the 答え合わせ panel's request) gives the object that the
//    native quotalis-cli --check --json writes for the same working, in both
//    languages.
// Prints one line per failure and a summary; the exit status is 1 on any.
'use strict';

// The command line's LaTeX working (--notation latex marks a period as the
// reader's language does) with its periods marked as a notation chosen
// marks them in every format: dots over the first and the last digit, or a
// line over them all.
function markedAs(latex, notation) {
  const dotted = (p) => (p.length === 1 ? `\\dot{${p}}` : `\\dot{${p[0]}}${p.slice(1, -1)}\\dot{${p.slice(-1)}}`);
  if (notation === 'dots') return latex.replace(/\\overline\{([0-9]+)\}/g, (all, p) => dotted(p));
  if (notation === 'overline') {
    return latex.replace(/\\dot\{([0-9])\}(?:([0-9]*)\\dot\{([0-9])\})?/g,
                         (all, a, mid, b) => `\\overline{${a}${b === undefined ? '' : mid + b}}`);
  }
  return latex;
}
const fs = require('fs');
const path = require('path');
const vm = require('vm');
const { spawnSync } = require('child_process');

const [modulePath, cliPath, tablePath] = process.argv.slice(2);
if (!tablePath) {
  console.error('usage: module_test.js quotalis.js quotalis-cli shared-entries.txt');
  process.exit(2);
}

let failures = 0;
let checks = 0;
function check(ok, what) {
  checks++;
  if (!ok) {
    failures++;
    console.log('FAIL: ' + what);
  }
}

// The lines of the table: {options: [...], entry}.
function readTable(file) {
  const rows = [];
  const withValue = new Set(['--notation', '--period', '--max-digits']);
  const flags = new Set(['--mixed', '--explain', '--rounded']);
  fs.readFileSync(file, 'utf8').split('\n').forEach((line, i) => {
    if (line.trim() === '' || line.startsWith('#')) return;
    const options = [];
    let rest = line;
    for (;;) {
      const m = /^(--[a-z-]+) /.exec(rest);
      if (!m) break;
      const name = m[1];
      rest = rest.slice(m[0].length);
      if (flags.has(name)) {
        options.push(name);
      } else if (withValue.has(name)) {
        const v = /^(\S+) /.exec(rest);
        if (!v) throw new Error(`${file}:${i + 1}: ${name} needs a value and an entry`);
        options.push(name, v[1]);
        rest = rest.slice(v[0].length);
      } else {
        throw new Error(`${file}:${i + 1}: unknown option ${name}`);
      }
    }
    const entry = rest.startsWith('"') ? JSON.parse(rest) : rest;
    rows.push({ options, entry, line: i + 1, text: line });
  });
  return rows;
}

// The request the page sends for the same options.
function requestFor(row, language) {
  const request = { entry: row.entry, period: null, notation: null, mixed: false,
                    explain: false, rounded: false, maxDigits: null, language };
  for (let i = 0; i < row.options.length; i++) {
    const o = row.options[i];
    if (o === '--mixed') request.mixed = true;
    else if (o === '--explain') request.explain = true;
    else if (o === '--rounded') request.rounded = true;
    else if (o === '--notation') request.notation = row.options[++i];
    else if (o === '--period') request.period = row.options[++i];
    else if (o === '--max-digits') {
      const v = row.options[++i];
      request.maxDigits = v === 'all' ? 'all' : Number(v);
    }
  }
  return request;
}

function runCli(args, language) {
  const env = Object.assign({}, process.env, { LANGUAGE: language, LC_ALL: 'C.UTF-8' });
  delete env.LANG;
  const r = spawnSync(cliPath, args, { env, encoding: 'utf8' });
  if (r.error) throw r.error;
  return { status: r.status, out: r.stdout.replace(/\n$/, '') };
}

function withoutNotation(options) {
  const out = [];
  for (let i = 0; i < options.length; i++) {
    if (options[i] === '--notation') i++;
    else out.push(options[i]);
  }
  return out;
}

// The factory's source alone, in a context that has what a worker has.
const fetched = [];
function workerFactory(source) {
  const context = {
    self: { location: { href: 'blob:null/0f6c2b7e' } },
    importScripts() { throw new Error('the module imported a script'); },
    // A browser's worker has fetch, which the glue tries first on its data: URL.
    fetch: (url, options) => {
      fetched.push(String(url).slice(0, 5));
      return fetch(url, options);
    },
    WebAssembly, TextDecoder, TextEncoder, console, setTimeout, clearTimeout,
    performance: { now: () => Number(process.hrtime.bigint() / 1000000n) },
    crypto: { getRandomValues: (a) => a },
    atob: (s) => Buffer.from(s, 'base64').toString('binary'),
  };
  context.self.self = context.self;
  vm.createContext(context);
  return vm.runInContext('(' + source + ')', context);
}

// ---- 4. refusals of the request itself

// What each field must be, as the module words it (English, Japanese).
const NEEDS = {
  object: ['the request must be an object', 'リクエストはオブジェクトで渡してください'],
  entry: ['the request\'s "entry" must be a string', 'リクエストの「entry」には文字列を指定してください'],
  period: ['the request\'s "period" must be a string of digits, a whole number or null',
           'リクエストの「period」には数字の文字列、整数、null のいずれかを指定してください'],
  notation: ['the request\'s "notation" must be the name of a notation, or null',
             'リクエストの「notation」には書き方の名前か null を指定してください'],
  mixed: ['the request\'s "mixed" must be true or false', 'リクエストの「mixed」には true か false を指定してください'],
  explain: ['the request\'s "explain" must be true or false', 'リクエストの「explain」には true か false を指定してください'],
  rounded: ['the request\'s "rounded" must be true or false', 'リクエストの「rounded」には true か false を指定してください'],
  maxDigits: ['the request\'s "maxDigits" must be a whole number of 1 or more, "all" or null',
              'リクエストの「maxDigits」には1以上の整数、"all"、null のいずれかを指定してください'],
  base: ['the request\'s "base" must be a whole number from 2 to 36 or null',
         'リクエストの「base」には 2 から 36 までの整数か null を指定してください'],
  toBase: ['the request\'s "toBase" must be a whole number from 2 to 36 or null',
           'リクエストの「toBase」には 2 から 36 までの整数か null を指定してください'],
  binary: ['the request\'s "binary" must be "binary64", "binary32" or null',
           'リクエストの「binary」には "binary64"、"binary32"、null のどれかを指定してください'],
  language: ['the request\'s "language" must be "ja" or "en"',
             'リクエストの「language」には "ja" か "en" を指定してください'],
  roundedPeriod: ['the request\'s "period" must be null or 0 when "rounded" is true',
                  'リクエストの「rounded」が true のときは、「period」には null か 0 を指定してください'],
};

// The module's answer to `request`, parsed; {thrown} when it threw.
function ask(m, request) {
  try {
    return JSON.parse(m.answer(request));
  } catch (e) {
    return { thrown: String(e && e.stack ? e.stack : e) };
  }
}

function checkRefused(m, request, need, language, what) {
  const answer = ask(m, request);
  const want = { input: null, error: NEEDS[need][language === 'ja' ? 1 : 0], kind: 'argument', position: 0 };
  check(JSON.stringify(answer) === JSON.stringify(want),
        `${what}:\n  got  ${JSON.stringify(answer)}\n  want ${JSON.stringify(want)}`);
}

function checkRefusals(m) {
  // Not an object: refused in Japanese, the page's language when none is given.
  const notObjects = [undefined, null, 1, true, 'x', '{"entry":"0.5"}', ['0.5'], [{ entry: '0.5' }],
                      () => 0];
  for (const request of notObjects) {
    checkRefused(m, request, 'object', 'ja', `the request ${String(request)}`);
  }
  // [field, values it refuses]; each row in both languages.
  const bad = [
    ['entry', [undefined, ['0.5'], 1, null, true, { text: '0.5' }]],
    ['period', [true, 1.5, -0.5, NaN, Infinity, {}, ['1'], [1]]],
    ['notation', [1, true, {}, ['dots']]],
    ['mixed', ['yes', 1, null, {}]],
    ['explain', ['true', 0, null]],
    ['rounded', ['false', 1, null]],
    ['maxDigits', [0, -1, 1.5, NaN, Infinity, '4', 'ALL', '', true, {}, [4]]],
    ['base', [1, 37, 2.5, NaN, '2', true, {}, [2]]],
    ['toBase', [0, 1, 37, '16', false]],
    ['binary', ['double', 'Binary64', 64, true, {}]],
  ];
  for (const [field, values] of bad) {
    for (const value of values) {
      for (const language of ['en', 'ja']) {
        const request = { entry: '1/7', language };
        if (value === undefined) delete request[field];
        else request[field] = value;
        checkRefused(m, request, field, language, `${field}: ${JSON.stringify(value) || String(value)} (${language})`);
      }
    }
  }
  // A bad language is refused in Japanese, the default.
  for (const value of [null, {}, 'fr', 'JA', 'en-US', '', 1, ['en']]) {
    checkRefused(m, { entry: '0.5', language: value }, 'language', 'ja', `language: ${JSON.stringify(value)}`);
  }
  // K with a rounded display: none to count.
  for (const period of ['1', 2, '１']) {
    for (const language of ['en', 'ja']) {
      checkRefused(m, { entry: '0.3', rounded: true, period, language }, 'roundedPeriod', language,
                   `rounded with period ${JSON.stringify(period)} (${language})`);
    }
  }
}

// What the fields take, answered as the command line answers the same
// options (its --json object: the refusals of a bad K or notation included).
function checkAccepted(m) {
  const rows = [  // request fields, the command line's arguments before the entry
    [{ entry: '0.1666', period: 1 }, ['--period', '1']],
    [{ entry: '0.1666', period: '1' }, ['--period', '1']],
    [{ entry: '０．１６６', period: '１' }, ['--period', '１']],
    [{ entry: '0.1666', period: 0 }, []],
    [{ entry: '0.1666', period: -0 }, []],
    [{ entry: '0.1666', period: 3e9 }, ['--period', '3000000000']],
    [{ entry: '0.5', period: -1 }, ['--period', '-1']],
    [{ entry: '0.5', period: '-1' }, ['--period', '-1']],
    [{ entry: '0.5', period: 'x' }, ['--period', 'x']],
    [{ entry: '0.5', period: '' }, ['--period', '']],
    [{ entry: '0.1(6)', period: 1 }, ['--period', '1']],
    [{ entry: '1/7', notation: 'parens' }, ['--notation', 'parens']],
    [{ entry: '1/7', notation: 'plain' }, ['--notation', 'plain']],
    [{ entry: '1/7', notation: 'dot' }, ['--notation', 'dot']],
    [{ entry: '1/7', notation: null }, []],
    [{ entry: '1/7', maxDigits: 4 }, ['--max-digits', '4']],
    [{ entry: '1/7', maxDigits: 1 }, ['--max-digits', '1']],
    [{ entry: '1/7', maxDigits: 1e300 }, ['--max-digits', '9223372036854775807']],
    [{ entry: '1/97', maxDigits: 'all' }, ['--max-digits', 'all']],
    [{ entry: '1/9999999', maxDigits: null }, []],
    [{ entry: '0.3', rounded: true, period: 0 }, ['--rounded']],
    [{ entry: '0.3', rounded: true, period: null }, ['--rounded']],
    [{ entry: '0.3', rounded: false, mixed: false, explain: false }, []],
    [{ entry: '1/7', unknown: [1], another: { deep: true } }, []],
    [{ entry: '0.1', toBase: 2 }, ['--to-base', '2']],
    [{ entry: '0.0(0011)', base: 2 }, ['--base', '2']],
    [{ entry: '1/5', base: 2, toBase: null }, ['--base', '2']],
    [{ entry: '0.0(0011)_2' }, []],
    [{ entry: '0.g', base: 16 }, ['--base', '16']],
    [{ entry: '0.1', binary: 'binary64' }, ['--double']],
    [{ entry: '0.1', binary: 'binary32' }, ['--float']],
    [{ entry: '-0', binary: 'binary64', base: null }, ['--double']],
  ];
  for (const [fields, args] of rows) {
    for (const language of ['en', 'ja', undefined]) {
      const request = Object.assign({}, fields);
      if (language !== undefined) request.language = language;
      const what = `${JSON.stringify(request)}`;
      const got = ask(m, request);
      const want = runCli(['--json', ...args, '--', fields.entry], language || 'ja').out;
      check(JSON.stringify(got) === want, `${what}:\n  module ${JSON.stringify(got)}\n  cli    ${want}`);
    }
  }
  // The entry as JavaScript holds it: a lone surrogate is U+FFFD, as the
  // browser encodes it, and takes nothing with it; a pair is its character.
  const lone = ask(m, { entry: '0.5\uD800x', language: 'en' });
  check(lone.input === '0.5\uFFFDx' && lone.position === 4, `a lone surrogate: ${JSON.stringify(lone)}`);
  const low = ask(m, { entry: '\uDC001', language: 'en' });
  check(low.input === '\uFFFD1' && low.position === 1, `a lone low surrogate: ${JSON.stringify(low)}`);
  const pair = ask(m, { entry: '1/7\uD83D\uDE00', language: 'en' });
  check(pair.input === '1/7\u{1F600}' && pair.position === 4, `a surrogate pair: ${JSON.stringify(pair)}`);
  const escaped = ask(m, { entry: '1\u002f7', language: 'en' });
  check(escaped.decimal === '0.(142857)', `1/7 written with an escape: ${JSON.stringify(escaped)}`);
}

// ---- 5. the notations, and what an entry takes

function checkNotations(m) {
  const want = {
    en: [['parentheses', 'parentheses 0.1(6)'], ['brackets', 'brackets 0.1[6]'], ['quotes', "quotes 0.1'6'"],
         ['r', 'r 0.1r6'], ['dots', 'dots 0.16\u0307'], ['overline', 'overline 0.16\u0305'],
         ['ellipsis', 'ellipsis 0.1666...'], ['latex', 'LaTeX 0.1\\overline{6}'],
         ['keypad', 'what to type on the keypad 0.16 1']],
    ja: [['parentheses', 'かっこ 0.1(6)'], ['brackets', '角かっこ 0.1[6]'], ['quotes', "引用符 0.1'6'"],
         ['r', 'r 0.1r6'], ['dots', '上に点 0.16\u0307'], ['overline', '上に線 0.16\u0305'],
         ['ellipsis', '… 0.1666...'], ['latex', 'LaTeX 0.1\\overline{6}'],
         ['keypad', 'キーパッドの打ち方 0.16 1']],
  };
  for (const language of ['en', 'ja']) {
    const got = m.notations(language).map((n) => [n.name, n.label]);
    check(JSON.stringify(got) === JSON.stringify(want[language]),
          `notations(${language}):\n  got  ${JSON.stringify(got)}\n  want ${JSON.stringify(want[language])}`);
    // Each name is one the module answers in, as the command line does.
    for (const [name] of want[language]) {
      const answer = ask(m, { entry: '1/6', notation: name, language });
      check(answer.decimal !== undefined, `notation ${name} answers 1/6: ${JSON.stringify(answer)}`);
    }
  }
  check(JSON.stringify(m.notations('fr')) === JSON.stringify(m.notations('en')), 'notations of another language are English');
}

function checkEntryQuestions(m) {
  const rooms = [  // entry, digits after the point that K may reach (null: no K)
    ['0.1666', 4], ['0.50', 2], ['1.50', 2], ['.5', 1], ['5.', 0], ['12', 0], ['007', 0],
    ['−０．５', 1], ['+0.25', 2], ['-.125', 3], [' 0.25 ', 2], ['0.' + '3'.repeat(5000), 5000],
    ['0.1(6)', null], ['0.1(', null], ['1/7', null], ['1 1/6', null], ['1e-3', null], ['1.5e3', null],
    ['0.1666...', null], ['0.1666・・・', null], ['0.16̇', null], ['.', null], ['', null], ['abc', null],
    ['1.2.3', null], ['0.5 1', null],
  ];
  for (const [entry, room] of rooms) {
    const got = m.periodRoom(entry);
    check(got === room, `periodRoom(${JSON.stringify(entry)}) = ${got}, not ${room}`);
  }
  // K as far as periodRoom says makes every digit after the point recur, and
  // a K past it is the same (some fractions written out too).
  const written = { '0.1666': '1666/9999', '1.50': '14/9', '−０．５': '-5/9', '-.125': '-125/999' };
  for (const [entry, room] of rooms) {
    if (room === null || room === 0 || entry.length > 100) continue;
    const answer = ask(m, { entry, period: room, language: 'en' });
    check(answer.nonRecurring === 0 && answer.period > 0,
          `${JSON.stringify(entry)} with K ${room}: ${JSON.stringify(answer)}`);
    const past = ask(m, { entry, period: room + 1, language: 'en' });
    check(JSON.stringify(past) === JSON.stringify(answer), `${JSON.stringify(entry)} with K ${room + 1}: ${JSON.stringify(past)}`);
    if (written[entry]) check(answer.fraction === written[entry], `${entry} with K ${room}: ${answer.fraction}`);
  }
  for (const entry of [5, null, undefined, {}]) {
    check(m.periodRoom(entry) === null, `periodRoom(${String(entry)}) is null`);
    check(m.readsAsRounded(entry) === false, `readsAsRounded(${String(entry)}) is false`);
  }
  const rounded = [  // entry, whether it reads as a rounded display
    ['0.6666666667', true], ['3.14159', true], ['0.30', true], ['3', true], ['-0.5', true],
    ['1.5e-3', true], ['０．３３', true], ['1.5e3', false], ['1e1', false], ['0.1(6)', false],
    ['0.1666...', false], ['1/3', false], ['1 1/3', false], ['x', false], ['', false], ['.', false],
  ];
  for (const [entry, reads] of rounded) {
    check(m.readsAsRounded(entry) === reads, `readsAsRounded(${JSON.stringify(entry)}) is ${reads}`);
    // And the module answers it as one exactly then.
    const answer = ask(m, { entry, rounded: true, language: 'en' });
    check((answer.low !== undefined) === reads, `${JSON.stringify(entry)} answered as rounded: ${JSON.stringify(answer)}`);
  }
}

async function main() {
  const QuotalisModule = require(path.resolve(modulePath));
  const m = await QuotalisModule();

  // 1. As the page's worker loads it.
  const inWorker = await workerFactory(QuotalisModule.toString())();
  const fromWorker = JSON.parse(inWorker.answer({ entry: '0.1(6)', language: 'ja' }));
  check(fromWorker.fraction === '1/6', 'the factory evaluated alone in a worker-like context answers 1/6');
  check(fetched.length > 0 && fetched.every((url) => url === 'data:'), `the worker fetched nothing but its own data: ${fetched}`);
  check(inWorker.version() === m.version(), 'the worker and node modules have the same version');
  const version = runCli(['--version'], 'en').out;
  check(version === 'quotalis-cli ' + m.version(), `version ${m.version()} is the command line's (${version})`);

  // 2. The shared table, both languages.
  const rows = readTable(tablePath);
  for (const row of rows) {
    for (const language of ['en', 'ja']) {
      const where = `${tablePath}:${row.line} (${language}) ${row.text}`;
      const request = requestFor(row, language);
      let got;
      try {
        got = m.answer(request);
      } catch (e) {
        check(false, `${where}: m.answer threw ${e && e.stack ? e.stack : e}`);
        continue;
      }
      const want = runCli(['--json', ...row.options, '--', row.entry], language);
      let answer;
      try {
        answer = JSON.parse(got);
      } catch (e) {
        check(false, `${where}: not JSON: ${got}`);
        continue;
      }
      // The command line's own object, then the three working keys.
      const keys = ['workingMathml', 'workingText', 'workingLatex'];
      const own = Object.assign({}, answer);
      keys.forEach((k) => delete own[k]);
      check(JSON.stringify(own) === want.out, `${where}:\n  module ${JSON.stringify(own)}\n  cli    ${want.out}`);
      const working = row.options.includes('--explain') && want.status === 0;
      check(keys.every((k) => (k in answer) === working), `${where}: working keys ${working ? 'missing' : 'present'}`);
      if (!working) continue;
      const latex = row.options.includes('--notation') && request.notation === 'latex';
      const text = runCli([...(latex ? withoutNotation(row.options) : row.options), '--', row.entry], language);
      check(answer.workingText === text.out, `${where}: workingText\n${answer.workingText}\n  cli:\n${text.out}`);
      const fragment = runCli([...withoutNotation(row.options), '--notation', 'latex', '--', row.entry], language);
      fragment.out = markedAs(fragment.out, request.notation);
      check(answer.workingLatex === fragment.out, `${where}: workingLatex\n${answer.workingLatex}\n  cli:\n${fragment.out}`);
    }
  }

  // 3. The working as MathML: the module's is the native renderer's, kept in
  //    tests/working/mathml/ (cli_mathml_test.cpp checks those files).
  const workingDir = path.join(path.dirname(tablePath), '..', '..', 'tests', 'working', 'mathml');
  for (const [name, request] of [['sixth', { entry: '0.1(6)' }], ['seventh', { entry: '1/7' }],
                                 ['mixed_number', { entry: '3 1/4' }],
                                 ['keypad_period', { entry: '0.1666', period: '1' }],
                                 ['rounded_pi', { entry: '3.14159', rounded: true }]]) {
    for (const language of ['en', 'ja']) {
      const answer = JSON.parse(m.answer(Object.assign({ explain: true, language }, request)));
      const want = fs.readFileSync(path.join(workingDir, language, name + '.mathml'), 'utf8');
      check(answer.workingMathml + '\n' === want, `workingMathml of ${name} (${language}):\n${answer.workingMathml}`);
    }
  }

  // 4. Requests that are not, and fields of the wrong type or value.
  checkRefusals(m);
  checkAccepted(m);

  // 5. What the page asks the module besides the answer.
  checkNotations(m);
  checkEntryQuestions(m);

  // 6. The check of a pupil's working, as the command line's.
  for (const [entry, working] of [
    ['0.1(6)', 'x = 0.1(6) とおく。\n100x = 16.(6)\n10x = 1.(6)\n90x = 15\nx = 15/90 = 1/6\n'],
    ['0.1(6)', 'x = 16/99'], ['0.1(6)', 'x = 1,5\n'], ['2.3(45)', 'x = 129/55 = 2 9/55'],
    ['0.1(6', 'x = 1/6']]) {
    for (const language of ['en', 'ja']) {
      const got = m.check({ entry, working, language });
      const env = Object.assign({}, process.env, { LANGUAGE: language, LC_ALL: 'C.UTF-8' });
      const cli = spawnSync(cliPath, ['--check', entry, '--json'], { input: working, env, encoding: 'utf8' });
      check(got + '\n' === cli.stdout, `check(${entry}, ${JSON.stringify(working)}, ${language}):\n  got  ${got}\n  want ${cli.stdout}`);
    }
  }

  // 7. The プリント panel's sheet, as --sheet writes it: the same exercises
  //    (--json) and the same LaTeX, for the same seed, kinds and count.
  for (const [request, args] of [
    [{ seed: 7, count: 30 }, ['--seed', '7', '--count', '30']],
    [{ seed: '12', count: 9, kinds: ['rounded', 'pure'], difficulty: 3, explain: true },
     ['--seed', '12', '--count', '9', '--kind', 'rounded', '--kind', 'pure', '--difficulty', '3',
      '--explain']]]) {
    for (const language of ['en', 'ja']) {
      const got = JSON.parse(m.sheet(Object.assign({ language }, request)));
      const env = Object.assign({}, process.env, { LANGUAGE: language, LC_ALL: 'C.UTF-8' });
      const data = spawnSync(cliPath, ['--sheet', '--json'].concat(args.filter((a) => a !== '--explain')),
                             { env, encoding: 'utf8' }).stdout;
      const latex = spawnSync(cliPath, ['--sheet'].concat(args), { env, encoding: 'utf8' }).stdout;
      check(JSON.stringify(got.sheet) + '\n' === data,
            `sheet(${JSON.stringify(request)}, ${language}).sheet:\n  got  ${JSON.stringify(got.sheet)}\n  want ${data}`);
      check(got.latex === latex, `sheet(${JSON.stringify(request)}, ${language}).latex differs from --sheet's`);
    }
  }
  for (const [request, word] of [[{ seed: 1, count: 0, language: 'en' }, '--count'],
                                 [{ seed: 1, kinds: ['cubes'], language: 'en' }, "'cubes'"],
                                 [{ seed: -1, language: 'en' }, '--seed']]) {
    const got = JSON.parse(m.sheet(request));
    check(got.kind === 'argument' && got.error.includes(word),
          `sheet(${JSON.stringify(request)}) is not refused naming ${word}: ${JSON.stringify(got)}`);
  }

  console.log(`${checks - failures} of ${checks} checks passed (${rows.length} table lines, 2 languages)`);
  process.exit(failures ? 1 : 0);
}

main().catch((e) => {
  console.log('FAIL: ' + (e && e.stack ? e.stack : e));
  process.exit(1);
});
