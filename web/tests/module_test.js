// The page's module under node:
//   node web/tests/module_test.js build/web/quotalis.js QUOTALIS_CLI shared-entries.txt
// 1. The factory's source text, evaluated alone in a context like a Web
//    Worker made from a Blob (no document, no require, no file name), loads
//    the module and answers, as the page's worker does.
// 2. Every line of the shared table, in English and Japanese, gets from
//    m.answer exactly the object the native quotalis-cli writes with --json;
//    with --explain, workingText and workingLatex are exactly its --explain
//    text and --explain --notation latex.
// 3. With "explain", workingMathml is the native renderer's (the files of
//    tests/working/mathml/).
// 4. Malformed requests get a refusal object, never an exception.
// Prints one line per failure and a summary; the exit status is 1 on any.
'use strict';
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

async function main() {
  const QuotalisModule = require(path.resolve(modulePath));
  const m = await QuotalisModule();

  // 1. As the page's worker loads it.
  const inWorker = await workerFactory(QuotalisModule.toString())();
  const fromWorker = JSON.parse(inWorker.answer(JSON.stringify({ entry: '0.1(6)', language: 'ja' })));
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
        got = m.answer(JSON.stringify(request));
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
      const answer = JSON.parse(m.answer(JSON.stringify(Object.assign({ explain: true, language }, request))));
      const want = fs.readFileSync(path.join(workingDir, language, name + '.mathml'), 'utf8');
      check(answer.workingMathml + '\n' === want, `workingMathml of ${name} (${language}):\n${answer.workingMathml}`);
    }
  }

  // 4. Requests that are not.
  for (const bad of ['', '[]', '{', '{"entry":1}', '{"period":"1"}', '{"entry":"1","mixed":"yes"}',
                     '{"entry":"1","maxDigits":1.5}', '{"entry":"1"} x']) {
    let answer;
    try {
      answer = JSON.parse(m.answer(bad));
    } catch (e) {
      answer = { error: null, thrown: String(e) };
    }
    check(answer.input === null && typeof answer.error === 'string' && answer.kind === 'argument',
          `malformed request ${JSON.stringify(bad)}: ${JSON.stringify(answer)}`);
  }
  const escaped = JSON.parse(m.answer('{"entry":"\\u0031\\/\\u0037","language":"en","unknown":[1]}'));
  check(escaped.decimal === '0.(142857)' || escaped.kind === 'argument', 'escapes in a request');

  console.log(`${checks - failures} of ${checks} checks passed (${rows.length} table lines, 2 languages)`);
  process.exit(failures ? 1 : 0);
}

main().catch((e) => {
  console.log('FAIL: ' + (e && e.stack ? e.stack : e));
  process.exit(1);
});
