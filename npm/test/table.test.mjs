// The answers of the table the command line's and the page's tests share
// (QUOTALIS_TABLE, web/tests/shared-entries.txt), each line in English and
// Japanese: the package's answer, or its refusal, is what the native
// quotalis-cli (QUOTALIS_CLI) writes with --json, its numbers as strings;
// with --explain, the working as text (and as LaTeX, where no notation marks
// its periods otherwise) is what quotalis-cli --explain writes.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { spawnSync } from 'node:child_process';

import { load, QuotalisError } from 'quotalis';

const cliPath = process.env.QUOTALIS_CLI;
const tablePath = process.env.QUOTALIS_TABLE;
const q = await load();

// The lines of the table: {options: [...], entry, line, text}.
function readTable(file) {
  const rows = [];
  const withValue = new Set(['--notation', '--period', '--max-digits']);
  const flags = new Set(['--mixed', '--explain', '--rounded']);
  readFileSync(file, 'utf8').split('\n').forEach((line, i) => {
    if (line.trim() === '' || line.startsWith('#')) return;
    const options = [];
    let rest = line;
    for (;;) {
      const m = /^(--[a-z-]+) /.exec(rest);
      if (!m) break;
      rest = rest.slice(m[0].length);
      if (flags.has(m[1])) {
        options.push(m[1]);
      } else if (withValue.has(m[1])) {
        const v = /^(\S+) /.exec(rest);
        if (!v) throw new Error(`${file}:${i + 1}: ${m[1]} needs a value and an entry`);
        options.push(m[1], v[1]);
        rest = rest.slice(v[0].length);
      } else {
        throw new Error(`${file}:${i + 1}: unknown option ${m[1]}`);
      }
    }
    rows.push({ options, entry: rest.startsWith('"') ? JSON.parse(rest) : rest, line: i + 1, text: line });
  });
  return rows;
}

// The package's options for the command line's.
function optionsFor(options, language) {
  const o = { language };
  for (let i = 0; i < options.length; i++) {
    const name = options[i];
    if (name === '--mixed') o.mixed = true;
    else if (name === '--notation') o.notation = options[++i];
    else if (name === '--period') o.period = options[++i];
    else if (name === '--max-digits') {
      const v = options[++i];
      o.maxDigits = v === 'all' ? 'all' : Number(v);
    }
  }
  return o;
}

function cli(args, language) {
  const env = { ...process.env, LANGUAGE: language, LC_ALL: 'C.UTF-8' };
  delete env.LANG;
  const r = spawnSync(cliPath, args, { env, encoding: 'utf8', maxBuffer: 1 << 28 });
  if (r.error) throw r.error;
  return r.stdout.replace(/\n$/, '');
}

const without = (options, names) => options.filter((o, i) => !names.includes(o) &&
  !(i > 0 && names.includes(options[i - 1]) && ['--notation', '--period', '--max-digits'].includes(options[i - 1])));

const NUMBERS = ['numerator', 'denominator', 'nonRecurring', 'period', 'periodAbove'];

// The package's answer as --json would write it, or its refusal.
function asked(row, language) {
  const options = optionsFor(row.options, language);
  try {
    const a = row.options.includes('--rounded') ? q.fromRounded(row.entry, options)
      : /^[^.]*\//.test(row.entry) ? q.toDecimal(row.entry, options) : q.toFraction(row.entry, options);
    return a;
  } catch (e) {
    assert.ok(e instanceof QuotalisError, `${row.text}: ${e && e.stack}`);
    return { input: e.input, error: e.message, kind: e.kind, position: e.position };
  }
}

test('the shared table is there', () => {
  assert.ok(cliPath && tablePath, 'QUOTALIS_CLI and QUOTALIS_TABLE name the native program and the table');
  assert.ok(readTable(tablePath).length >= 50);
});

for (const row of tablePath ? readTable(tablePath) : []) {
  for (const language of ['en', 'ja']) {
    test(`${language} ${row.line}: ${row.text}`, (t) => {
      const json = JSON.parse(cli(['--json', ...without(row.options, ['--explain']), '--', row.entry], language));
      // An option the command line refuses by its own name ("--max-digits")
      // the package refuses by its option's ("maxDigits"): the engine's
      // tests hold those sentences.
      if (json.input === null) {
        t.skip('refused by the option\'s name');
        return;
      }
      for (const key of NUMBERS) if (typeof json[key] === 'number') json[key] = String(json[key]);
      assert.equal(JSON.stringify(asked(row, language)), JSON.stringify(json));
      if (!row.options.includes('--explain') || json.error !== undefined) return;
      const options = optionsFor(row.options, language);
      if (row.options.includes('--rounded')) options.rounded = true;
      const latexAsked = options.notation === 'latex';
      assert.equal(q.explain(row.entry, options),
                   cli([...(latexAsked ? without(row.options, ['--notation']) : row.options), '--', row.entry], language));
      if (options.notation !== 'dots' && options.notation !== 'overline') {
        assert.equal(q.explain(row.entry, { ...options, format: 'latex' }),
                     cli([...without(row.options, ['--notation']), '--notation', 'latex', '--', row.entry], language));
      }
    });
  }
}

// A sheet is the command line's for the same seed, kinds, count and
// difficulty, as data and as its LaTeX, in both languages.
test('a sheet is the command line\'s', () => {
  const asks = [
    [{ seed: 7, count: 30 }, ['--seed', '7', '--count', '30']],
    [{ seed: '12345', count: 12, kinds: ['pure', 'rounded'], difficulty: 3, explain: true },
     ['--seed', '12345', '--count', '12', '--kind', 'pure', '--kind', 'rounded', '--difficulty', '3', '--explain']],
  ];
  for (const language of ['en', 'ja']) {
    for (const [options, args] of asks) {
      const s = q.sheet({ ...options, language });
      assert.deepEqual(s.sheet, JSON.parse(cli(['--sheet', '--json', ...args.filter((a) => a !== '--explain')], language)));
      assert.equal(s.latex.replace(/\n$/, ''), cli(['--sheet', ...args], language));
    }
  }
  assert.notDeepEqual(q.sheet({ seed: 8, count: 30 }).sheet.exercises, q.sheet({ seed: 7, count: 30 }).sheet.exercises);
  const chosen = q.sheet({ count: 3 });
  assert.ok(chosen.sheet.seed < 1000000 && chosen.latex.includes(String(chosen.sheet.seed)));
  const refusal = (f) => {
    try {
      f();
    } catch (e) {
      return e;
    }
    assert.fail('no refusal');
  };
  for (const [options, message] of [
    [{ kinds: 'pure' }, 'the request\'s "kinds" must be a list'],
    [{ explain: 'yes' }, 'the request\'s "explain" must be true or false'],
    [{ pages: 2 }, "unknown option 'pages'"],
  ]) {
    const e = refusal(() => q.sheet(options));
    assert.ok(e instanceof QuotalisError);
    assert.deepEqual([e.kind, e.message], ['argument', message]);
  }
  for (const options of [{ count: 0 }, { count: 201 }, { kinds: ['cubes'] }, { difficulty: 4 }]) {
    assert.equal(refusal(() => q.sheet(options)).kind, 'argument');
  }
});

// Other bases and the stored binary64 and binary32 values are the command
// line's; a few are written out here from the arithmetic of the examples.
test('bases and stored values are the command line\'s', () => {
  const stringed = (json) => {
    for (const key of NUMBERS) if (typeof json[key] === 'number') json[key] = String(json[key]);
    return json;
  };
  for (const language of ['en', 'ja']) {
    for (const [entry, options, args] of [
      ['0.1', { toBase: 2 }, ['--to-base', '2']],
      ['0.0(0011)', { base: 2 }, ['--base', '2']],
      ['0.0(0011)_2', {}, []],
      ['1/5', { base: 2 }, ['--base', '2']],
      ['0.1(6)', { toBase: 16 }, ['--to-base', '16']],
      ['0.z', { base: 36, toBase: 7 }, ['--base', '36', '--to-base', '7']],
    ]) {
      const json = stringed(JSON.parse(cli(['--json', ...args, '--', entry], language)));
      assert.equal(JSON.stringify(q.toDecimal(entry, { ...options, language })), JSON.stringify(json));
    }
    for (const [entry, format, flag] of [['0.1', 'binary64', '--double'], ['0.1', 'binary32', '--float'],
      ['-0', 'binary64', '--double'], ['1e400', 'binary64', '--double'], ['4.9e-324', 'binary64', '--double'],
      ['0.(3)', 'binary32', '--float']]) {
      assert.deepEqual(q.stored(entry, { format, language }), JSON.parse(cli(['--json', flag, '--', entry], language)));
    }
  }
  assert.equal(q.toDecimal('0.1', { toBase: 2 }).decimal, '0.0(0011)');
  assert.equal(q.toFraction('0.0(0011)', { base: 2 }).fraction, '1/10');
  assert.equal(q.toDecimal('1/5', { base: 2 }).decimal, '0.(0011)');
  const d = q.stored('0.1');
  assert.deepEqual([d.stored, d.bits, d.storedError], ['3602879701896397/36028797018963968', '0x3FB999999999999A',
    '1/180143985094819840']);
  assert.equal(q.stored('1e400').class, 'infinity');
  for (const [f, kind] of [[() => q.toFraction('0.5', { base: 37 }), 'argument'],
    [() => q.toFraction('0.2', { base: 2 }), 'character'],
    [() => q.stored('0.1', { format: 'binary16' }), 'argument']]) {
    let e;
    try {
      f();
    } catch (caught) {
      e = caught;
    }
    assert.ok(e instanceof QuotalisError);
    assert.equal(e.kind, kind);
  }
});
