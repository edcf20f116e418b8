#!/usr/bin/python3
"""The page's speed and size in headless Chromium, from a local server:

  - the first answer: from the start of the page's navigation until the
    answer to 0.1(6) is on show, the entry typed as soon as the page has
    loaded (the module compiled and started in a fresh worker);
  - a keystroke: from the input event until its answer is on show, over the
    keystrokes that type 0.142857 and then mark 6 digits, with the working
    and without;
  - the download: every file of the folder, compressed with gzip -9.

    web/bench/page_bench.py [PAGE_FOLDER]   (default build/web)"""
import gzip
import pathlib
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / 'tests'))
import browser  # noqa: E402

LOADS = 7
ROUNDS = 20

FIRST_ANSWER = """
var done = arguments[0], entry = document.getElementById('entry');
var seen = function () {
  var v = document.getElementById('answer-value');
  if (v && v.textContent === '1/6') { observer.disconnect(); done(performance.now()); return true; }
  return false;
};
var observer = new MutationObserver(seen);
observer.observe(document.getElementById('answer'), {childList: true, subtree: true});
entry.value = '0.1(6)';
entry.dispatchEvent(new Event('input'));
"""

# Each step sets the entry (or the slider) and waits for the answer.
KEYSTROKES = """
var steps = arguments[0], rounds = arguments[1], done = arguments[2];
var answer = document.getElementById('answer'), times = [];
function step(i) {
  if (i === steps.length * rounds) { done(times); return; }
  var s = steps[i % steps.length];
  var observer = new MutationObserver(function () {
    if (answer.getAttribute('aria-busy') !== 'false') return;
    observer.disconnect();
    times.push(performance.now() - started);
    setTimeout(function () { step(i + 1); }, 0);
  });
  observer.observe(answer, {attributes: true, attributeFilter: ['aria-busy']});
  var started = performance.now();
  var control = document.getElementById(s[0]);
  control.value = s[1];
  control.dispatchEvent(new Event('input'));
}
step(0);
"""


def keystrokes():
    steps, typed = [], ''
    for c in '0.142857':
        typed += c
        steps.append(('entry', typed))
    steps += [('period', str(k)) for k in range(1, 7)]
    steps.append(('entry', ''))
    return steps


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else 'build/web')
    with browser.served(folder) as (url, _):
        driver = browser.chromium('ja')
        try:
            firsts = []
            for _ in range(LOADS):
                driver.get('about:blank')
                driver.get(url + 'index.html')
                firsts.append(driver.execute_async_script(FIRST_ANSWER))
            browser.wait_idle(driver)
            results = {}
            for explain in (True, False):
                box = driver.find_element('id', 'explain')
                if box.is_selected() != explain:
                    box.click()
                browser.wait_idle(driver)
                times = driver.execute_async_script(KEYSTROKES, keystrokes(), ROUNDS)
                results[explain] = [t for t in times]
        finally:
            driver.quit()
    print(f'first answer after opening: median {statistics.median(firsts):.0f} ms, '
          f'slowest {max(firsts):.0f} ms ({LOADS} loads)')
    for explain, times in results.items():
        times.sort()
        p95 = times[int(0.95 * (len(times) - 1))]
        print(f'keystroke to answer, working {"shown" if explain else "hidden"}: '
              f'median {statistics.median(times):.1f} ms, 95th percentile {p95:.1f} ms, '
              f'slowest {max(times):.1f} ms ({len(times)} keystrokes)')
    total = 0
    for f in sorted(folder.iterdir()):
        raw = f.read_bytes()
        packed = len(gzip.compress(raw, 9))
        total += packed
        print(f'  {f.name}: {len(raw):,} bytes, {packed:,} gzip -9')
    print(f'download: {total:,} bytes with gzip -9')


if __name__ == '__main__':
    main()
