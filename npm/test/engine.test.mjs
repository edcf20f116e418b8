// The package's methods as a program uses them, run by node's test runner
// from a project that has installed the package (npm/test.sh). The values
// expected are worked out here, with BigInt, or written out.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';

import { load, QuotalisError, ERROR_KINDS } from 'quotalis';

const q = await load();

function gcd(a, b) {
  while (b) [a, b] = [b, a % b];
  return a < 0n ? -a : a;
}

// The digits of 1/d after the point, found by long division: `count` of them.
function digitsOf(d, count) {
  let r = 1n;
  let out = '';
  for (let i = 0; i < count; i++) {
    r *= 10n;
    out += String(r / d);
    r %= d;
  }
  return out;
}

function refusal(f) {
  try {
    f();
  } catch (e) {
    return e;
  }
  assert.fail('no refusal');
}

test('load() gives one engine, of the package\'s version', async () => {
  assert.equal(await load(), q);
  const require = createRequire(import.meta.url);
  const pkg = JSON.parse(readFileSync(require.resolve('quotalis/package.json'), 'utf8'));
  assert.equal(q.version, pkg.version);
  assert.match(q.version, /^\d+\.\d+\.\d+$/);
});

test('loading leaves the host process\'s handlers alone', () => {
  // In a process of its own: the test runner adds handlers of its own.
  const script = `
    const events = ['uncaughtException', 'unhandledRejection', 'exit', 'beforeExit'];
    const before = events.map((e) => process.listenerCount(e));
    const { load } = await import('quotalis');
    await load();
    console.log(JSON.stringify([before, events.map((e) => process.listenerCount(e))]));`;
  const r = spawnSync(process.execPath, ['--input-type=module', '-e', script],
                      { cwd: fileURLToPath(new URL('..', import.meta.url)), encoding: 'utf8' });
  assert.equal(r.status, 0, r.stderr);
  const [before, after] = JSON.parse(r.stdout);
  assert.deepEqual(after, before);
});

test('toFraction: decimals in every notation to lowest terms', () => {
  const third = q.toFraction('0.(3)');
  assert.equal(third.fraction, '1/3');
  assert.equal(third.numerator, '1');
  assert.equal(third.denominator, '3');
  assert.equal(third.reading, 'parentheses');
  const sixth = q.toFraction('0.1(6)');
  assert.deepEqual([sixth.unreduced, sixth.fraction, sixth.nonRecurring, sixth.period, sixth.cut],
                   ['15/90', '1/6', '1', '1', false]);
  // 1.2(3) = 12/10 + 3/90 = 37/30, times 10^-5.
  assert.equal(q.toFraction('-1.2(3)e-5').fraction, '-37/3000000');
  for (const entry of ['0.1[6]', '0.16̇', '0.16̅', '0.1666...', '０．１（６）']) {
    assert.equal(q.toFraction(entry).fraction, '1/6', entry);
  }
  assert.equal(q.toFraction('0.1666', { period: 1 }).fraction, '1/6');
  assert.equal(q.toFraction('0.1666', { period: '1' }).fraction, '1/6');
  assert.equal(q.toFraction('0.1666').fraction, '833/5000');
  assert.equal(q.toFraction('2 1/4').fraction, '9/4');
  assert.equal(q.toFraction('2.25', { mixed: true }).mixed, '2 1/4');
});

test('toFraction of 0.(d1...dn) is the digits over n nines, reduced', () => {
  for (const digits of ['3', '142857', '09', '012345679', '7', '123456789012345678901234567890']) {
    const n = BigInt(digits);
    const d = 10n ** BigInt(digits.length) - 1n;
    const g = gcd(n, d);
    const a = q.toFraction(`0.(${digits})`, { bigint: true });
    assert.equal(a.numerator, n / g, digits);
    assert.equal(a.denominator, d / g, digits);
  }
});

test('toDecimal: 1/7919 with its whole period of 3959 digits', () => {
  const a = q.toDecimal('1/7919');
  assert.equal(a.period, '3959');
  assert.equal(a.nonRecurring, '0');
  assert.equal(a.cut, false);
  const m = /^0\.\(([0-9]+)\)$/.exec(a.decimal);
  assert.ok(m, a.decimal.slice(0, 40));
  assert.equal(m[1].length, 3959);
  // The period is the first 3959 digits, and they start over after it.
  assert.equal(m[1], digitsOf(7919n, 3959));
  assert.equal(digitsOf(7919n, 3959 * 2), m[1] + m[1]);
  assert.equal(q.toFraction(a.decimal).fraction, '1/7919');
});

test('toDecimal: notations, a non-recurring part, a decimal that ends', () => {
  assert.equal(q.toDecimal('1/7').decimal, '0.(142857)');
  assert.equal(q.toDecimal('1/7', { notation: 'dots' }).decimal, '0.1̇42857̇');
  assert.equal(q.toDecimal('1/7', { notation: 'brackets' }).decimal, '0.[142857]');
  assert.equal(q.toDecimal('1/7', { notation: 'latex' }).decimal, '0.\\overline{142857}');
  const sixth = q.toDecimal('1/6');
  assert.deepEqual([sixth.decimal, sixth.nonRecurring, sixth.period], ['0.1(6)', '1', '1']);
  const eighth = q.toDecimal('-1/8');
  assert.deepEqual([eighth.decimal, eighth.nonRecurring, eighth.period], ['-0.125', '3', '0']);
  assert.equal(q.toDecimal('7/2', { mixed: true }).mixed, '3 1/2');
});

test('a period past maxDigits is cut, and says so and how long it is', () => {
  const a = q.toDecimal('1/7919', { maxDigits: 100 });
  assert.equal(a.cut, true);
  assert.equal(a.period, '3959');
  assert.ok(a.decimal.startsWith('0.(' + digitsOf(7919n, 100)), a.decimal.slice(0, 120));
  assert.ok(!a.decimal.includes(digitsOf(7919n, 101)));
  assert.notEqual(a.decimal, `0.(${digitsOf(7919n, 100)})`, 'the cut decimal says it is cut');
  const all = q.toDecimal('1/7919', { maxDigits: 'all' });
  assert.equal(all.cut, false);
});

test('bigint: the whole numbers as BigInt', () => {
  const a = q.toFraction('0.(142857)', { bigint: true });
  assert.equal(a.numerator, 1n);
  assert.equal(a.denominator, 7n);
  assert.equal(typeof a.period, 'bigint');
  const big = q.toFraction('12345678901234567890.5', { bigint: true });
  assert.equal(big.numerator, 24691357802469135781n);
  assert.equal(big.denominator, 2n);
  assert.equal(q.toFraction('12345678901234567890.5').numerator, '24691357802469135781');
});

test('fromRounded: the simplest fraction in the interval the display stands for', () => {
  const a = q.fromRounded('3.14159');
  assert.deepEqual([a.fraction, a.low, a.high], ['355/113', '3.141585', '3.141595']);
  // 3.141585 <= 355/113 < 3.141595, in integers.
  assert.ok(3141585n * 113n <= 355n * 1000000n && 355n * 1000000n < 3141595n * 113n);
  assert.equal(q.fromRounded('0.33').fraction, '1/3');
  assert.equal(q.fromRounded('0.33', { bigint: true }).denominator, 3n);
});

test('explain: the working as text, LaTeX and MathML, in English and Japanese', () => {
  const text = q.explain('0.1(6)');
  assert.ok(text.split('\n').length >= 4, text);
  assert.ok(text.includes('1/6'), text);
  assert.equal(q.explain('0.1(6)', { format: 'text' }), text);
  const latex = q.explain('0.1(6)', { format: 'latex' });
  assert.ok(latex.includes('\\frac{1}{6}'), latex);
  const mathml = q.explain('0.1(6)', { format: 'mathml' });
  assert.ok(mathml.includes('<math'), mathml.slice(0, 80));
  const ja = q.explain('0.1(6)', { language: 'ja' });
  assert.match(ja, /[\u3040-\u30ff\u4e00-\u9fff]/);
  assert.doesNotMatch(text, /[\u3040-\u30ff\u4e00-\u9fff]/);
  assert.ok(q.explain('1/7').includes('142857'));
});

test('check: a pupil\'s working line by line', () => {
  const working = ['x = 0.1(6)', '100x = 16.(6)', '10x = 1.(6)', '90x = 15', 'x = 15/90 = 1/6'];
  const right = q.check('0.1(6)', working);
  assert.equal(right.correct, true);
  assert.equal(right.outcome, 'right');
  assert.equal(right.value, '1/6');
  assert.equal(right.answer, '1/6');
  assert.equal(right.lines.length, 5);
  assert.deepEqual(q.check('0.1(6)', working.join('\n')), right);
  const wrong = q.check('0.1(6)', 'x = 16/99');
  assert.deepEqual([wrong.correct, wrong.firstWrong, wrong.slip, wrong.lines[0].verdict],
                   [false, 1, 'whole-as-period', 'wrong']);
  assert.match(q.check('0.1(6)', 'x = 16/99', { language: 'ja' }).closing, /[\u3040-\u30ff\u4e00-\u9fff]/);
});

test('refusals are QuotalisError, with a kind, a position and the message in the language', () => {
  const e = refusal(() => q.toFraction('0.1(6'));
  assert.ok(e instanceof QuotalisError && e instanceof Error);
  assert.equal(e.name, 'QuotalisError');
  assert.equal(e.kind, 'syntax');
  assert.equal(e.input, '0.1(6');
  assert.equal(e.message, "'0.1(6': the parenthesis opened at character 4 is never closed");
  const ja = refusal(() => q.toFraction('0.1(6', { language: 'ja' }));
  assert.equal(ja.kind, 'syntax');
  assert.equal(ja.position, e.position);
  assert.match(ja.message, /[\u3040-\u30ff\u4e00-\u9fff]/);
  assert.equal(refusal(() => q.toDecimal('1/0')).kind, 'zero-denominator');
  assert.equal(refusal(() => q.toFraction('')).kind, 'empty');
  const x = refusal(() => q.toFraction('0.5x'));
  assert.equal(x.kind, 'character');
  assert.equal(x.position, 4);
  assert.equal(refusal(() => q.check('0.1(6', 'x = 1/6')).kind, 'syntax');
  for (const f of [() => q.toFraction('0.1(6'), () => q.toDecimal('1/0'), () => q.toFraction('')]) {
    assert.ok(ERROR_KINDS.includes(refusal(f).kind));
  }
});

test('options are refused by their names, in the language', () => {
  const unknown = refusal(() => q.toFraction('0.5', { maxDigit: 5 }));
  assert.ok(unknown instanceof QuotalisError);
  assert.deepEqual([unknown.kind, unknown.position, unknown.input, unknown.message],
                   ['argument', 0, null, "unknown option 'maxDigit'"]);
  assert.equal(refusal(() => q.toFraction('0.5', { maxDigit: 5, language: 'ja' })).message,
               '「maxDigit」というオプションはありません');
  assert.equal(refusal(() => q.fromRounded('0.5', { period: 1 })).message,
               'the request\'s "period" must be null or 0 when "rounded" is true');
  assert.equal(refusal(() => q.check('0.5', 'x = 1/2', { mixed: true })).message, "unknown option 'mixed'");
  assert.equal(refusal(() => q.toFraction('0.5', { maxDigits: 0 })).message,
               'the request\'s "maxDigits" must be a whole number of 1 or more, "all" or null');
  assert.equal(refusal(() => q.toFraction('0.5', { language: 'fr' })).kind, 'argument');
  assert.equal(refusal(() => q.check('0.5', 'x = 1/2', { language: 'fr' })).kind, 'argument');
  assert.equal(refusal(() => q.toFraction('0.5', { bigint: 'yes' })).message,
               'the request\'s "bigint" must be true or false');
  assert.equal(refusal(() => q.explain('0.5', { format: 'pdf' })).message,
               'the request\'s "format" must be "text", "latex" or "mathml"');
  assert.equal(refusal(() => q.check('0.5', 5)).message, 'the request\'s "working" must be a string');
  assert.equal(refusal(() => q.toFraction(5)).message, 'the request\'s "entry" must be a string');
  assert.equal(refusal(() => q.toDecimal('1/7', { notation: 'dot' })).kind, 'argument');
  assert.equal(refusal(() => q.toFraction('0.5', { period: -1 })).kind, 'syntax');
  for (const options of ['en', 5, true, ['ja']]) {
    const e = refusal(() => q.toFraction('0.5', options));
    assert.ok(e instanceof QuotalisError);
    assert.deepEqual([e.kind, e.message], ['argument', 'the options must be an object, or left out']);
  }
  assert.equal(q.toFraction('0.5', null).fraction, '1/2');
});
