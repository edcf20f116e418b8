// index.d.ts, written by hand, declares exactly what index.js exports and
// what an engine offers.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

import * as quotalis from 'quotalis';

const require = createRequire(import.meta.url);
const folder = dirname(require.resolve('quotalis/package.json'));
const declarations = readFileSync(join(folder, 'index.d.ts'), 'utf8');

test('the values index.d.ts declares are those index.js exports', () => {
  const declared = [...declarations.matchAll(/^export declare (?:const|class|function) (\w+)/gm)]
    .map((m) => m[1]).sort();
  assert.deepEqual(declared, Object.keys(quotalis).sort());
});

test('the engine\'s methods and fields are those of the Engine interface', async () => {
  const body = /^export interface Engine \{\n([\s\S]*?)^\}/m.exec(declarations)[1];
  const declared = [...body.matchAll(/^ {2}(?:readonly )?(\w+)[<(:?]/gm)].map((m) => m[1]).sort();
  const engine = await quotalis.load();
  const offered = [...Object.keys(engine),
                   ...Object.getOwnPropertyNames(Object.getPrototypeOf(engine)).filter((n) => n !== 'constructor')];
  assert.deepEqual(declared, offered.sort());
});

test('the error kinds declared are the ones exported', () => {
  const kinds = /^export type ErrorKind =([\s\S]*?);/m.exec(declarations)[1];
  assert.deepEqual([...kinds.matchAll(/'([a-z-]+)'/g)].map((m) => m[1]), [...quotalis.ERROR_KINDS]);
});
