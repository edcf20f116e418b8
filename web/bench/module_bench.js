// The page's module under node with one long recurring decimal: its answer
// with the working and without, each timed, and what the worker asks
// besides (periodRoom, readsAsRounded).
//   node web/bench/module_bench.js [build/web/quotalis.js [DIGITS [RUNS]]]
// DIGITS (default 10,000,000) are split between the non-recurring part and
// the period, as "0." + D/2 digits + "(" + D/2 - 1 digits + ")"; the digits are
// random but the same on every run (a fixed seed), the period's last one
// never equal to the non-recurring part's, so that the period is as long as
// written. A module older than the answer library's took the request as a
// JSON string; it is asked so, for comparison.
'use strict';
const path = require('path');

const [modulePath = 'build/web/quotalis.js', digitsArg = '10000000', runsArg = '3'] =
  process.argv.slice(2);
const DIGITS = Number(digitsArg);
const RUNS = Number(runsArg);

function digits(count, seed) {
  let x = seed >>> 0;
  const out = new Array(count);
  for (let i = 0; i < count; i++) {
    x = (Math.imul(x, 1664525) + 1013904223) >>> 0;  // a fixed LCG
    out[i] = String.fromCharCode(48 + ((x >>> 24) % 10));
  }
  return out.join('');
}

function timed(what, run) {
  const started = process.hrtime.bigint();
  const result = run();
  const ms = Number(process.hrtime.bigint() - started) / 1e6;
  return { what, ms, result };
}

async function main() {
  const m = await require(path.resolve(modulePath))();
  let objects = true;
  try {
    m.answer({ entry: '1' });
  } catch (e) {
    objects = false;
  }
  const answer = (request) => m.answer(objects ? request : JSON.stringify(request));
  const fixed = digits(Math.ceil(DIGITS / 2), 1);
  let period = digits(Math.floor(DIGITS / 2) - 1, 2);
  if (period.endsWith(fixed.slice(-1))) {
    period = period.slice(0, -1) + String((Number(fixed.slice(-1)) + 1) % 10);
  }
  const entry = '0.' + fixed + '(' + period + ')';
  console.log(`entry: ${entry.length.toLocaleString('en')} characters, ${(fixed.length + period.length).toLocaleString('en')} digits`);
  const rows = { without: [], with: [], room: [], rounded: [] };
  for (let run = 0; run < RUNS; run++) {
    for (const explain of [false, true]) {
      const t = timed('answer', () => answer({ entry, explain, language: 'ja' }));
      const parsed = JSON.parse(t.result);
      if (parsed.error !== undefined) throw new Error(`refused: ${parsed.error}`);
      rows[explain ? 'with' : 'without'].push(t.ms);
      if (run === 0) {
        console.log(`  explain ${explain}: ${t.result.length.toLocaleString('en')} characters of JSON` +
                    (explain ? `, working ${parsed.working.length} lines` : ''));
      }
    }
    if (m.periodRoom) {
      rows.room.push(timed('periodRoom', () => m.periodRoom(entry)).ms);
      rows.rounded.push(timed('readsAsRounded', () => m.readsAsRounded(entry)).ms);
    }
  }
  const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];
  const show = (xs) => `median ${median(xs).toFixed(0)} ms (runs: ${xs.map((x) => x.toFixed(0)).join(', ')})`;
  console.log(`answer, explain false: ${show(rows.without)}`);
  console.log(`answer, explain true:  ${show(rows.with)}`);
  console.log(`with / without: ${(median(rows.with) / median(rows.without)).toFixed(2)}`);
  if (rows.room.length) console.log(`periodRoom: ${show(rows.room)}; readsAsRounded: ${show(rows.rounded)}`);
}

main().catch((e) => {
  console.error(e && e.stack ? e.stack : e);
  process.exit(1);
});
