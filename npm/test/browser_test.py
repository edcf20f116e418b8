#!/usr/bin/env python3
"""The installed npm package in headless Chromium, without a bundler: a
static folder holding the package as installed (quotalis/) and a page that
imports it by its name through an import map, and runs it in a module worker
that imports it by a relative path. Both answer the same questions, written
out here; the page fetches nothing but the folder's files.

    npm/test/browser_test.py node_modules/quotalis
"""
import json
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'web', 'tests'))
import browser  # noqa: E402

# What the page and the worker each work out and report.
QUESTIONS = r"""
export async function answers(quotalis) {
  const q = await quotalis.load();
  const seventh = q.toDecimal('1/7919');
  let refusal = null;
  try {
    q.toFraction('0.1(6', { language: 'ja' });
  } catch (e) {
    refusal = { isError: e instanceof quotalis.QuotalisError, kind: e.kind, position: e.position,
                japanese: /[\u3040-\u30ff]/.test(e.message) };
  }
  return {
    third: q.toFraction('0.(3)').fraction,
    seventhPeriod: seventh.period,
    seventhDigits: /^0\.\(([0-9]+)\)$/.exec(seventh.decimal)[1].length,
    big: String(q.toFraction('0.(142857)', { bigint: true }).denominator * 2n),
    dots: q.toDecimal('1/7', { notation: 'dots' }).decimal,
    rounded: q.fromRounded('3.14159').fraction,
    mathml: q.explain('0.1(6)', { format: 'mathml' }).startsWith('<math'),
    check: q.check('0.1(6)', 'x = 16/99').slip,
    refusal,
    version: q.version,
  };
}
"""

PAGE = """<!doctype html>
<meta charset="utf-8">
<title>quotalis</title>
<script type="importmap">{"imports": {"quotalis": "./quotalis/index.js"}}</script>
<script type="module">
import * as quotalis from 'quotalis';
import { answers } from './questions.js';
const worker = new Worker('./worker.js', { type: 'module' });
const fromWorker = new Promise((resolve) => { worker.onmessage = (e) => resolve(e.data); });
worker.onerror = (e) => { window.results = { error: 'worker: ' + e.message }; };
Promise.all([answers(quotalis), fromWorker]).then(
  ([page, worker]) => { window.results = { page, worker }; },
  (e) => { window.results = { error: String(e && e.stack || e) }; });
</script>
"""

WORKER = """import * as quotalis from './quotalis/index.js';
import { answers } from './questions.js';
answers(quotalis).then((a) => postMessage(a), (e) => postMessage({ error: String(e && e.stack || e) }));
"""

WANT = {
    'third': '1/3',
    'seventhPeriod': '3959',
    'seventhDigits': 3959,
    'big': '14',
    'dots': '0.1\u0307' + '42857\u0307',
    'rounded': '355/113',
    'mathml': True,
    'check': 'whole-as-period',
    'refusal': {'isError': True, 'kind': 'syntax', 'position': 4, 'japanese': True},
}


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    package = sys.argv[1]
    with open(os.path.join(package, 'package.json'), encoding='utf-8') as f:
        version = json.load(f)['version']
    failures = 0
    with tempfile.TemporaryDirectory(prefix='quotalis-npm-page-') as folder:
        shutil.copytree(package, os.path.join(folder, 'quotalis'))
        for name, text in (('index.html', PAGE), ('worker.js', WORKER), ('questions.js', QUESTIONS)):
            with open(os.path.join(folder, name), 'w', encoding='utf-8') as f:
                f.write(text)
        driver = browser.chromium()
        try:
            with browser.served(folder) as (url, requested):
                driver.get(url + 'index.html')
                results = None
                deadline = time.monotonic() + 120
                while results is None and time.monotonic() < deadline:
                    time.sleep(0.2)
                    results = driver.execute_script('return window.results || null')
                if results is None or 'error' in results:
                    print('FAIL: no answers:', results, driver.get_log('browser'))
                    return 1
                for where in ('page', 'worker'):
                    got = results[where]
                    if 'error' in got:
                        print(f'FAIL: {where}: {got["error"]}')
                        failures += 1
                        continue
                    for key, want in dict(WANT, version=version).items():
                        if got.get(key) != want:
                            print(f'FAIL: {where}: {key}: {got.get(key)!r}, not {want!r}')
                            failures += 1
                ours = ('index.html', 'worker.js', 'questions.js', 'favicon.ico')
                outside = [r for r in requested
                           if r.lstrip('/') not in ours and not r.lstrip('/').startswith('quotalis/')]
                if outside:
                    print('FAIL: fetched', outside)
                    failures += 1
        finally:
            driver.quit()
    checks = 2 * (len(WANT) + 1) + 1  # each answer and the version, in the page and the worker; the requests
    print(f'npm package in Chromium: {checks} checks, {failures} failures')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
