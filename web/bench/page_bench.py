#!/usr/bin/python3
"""The page's speed and size in headless Chromium, from a local server:

  - the first answer: from the start of the page's navigation until the
    answer to 0.1(6) is on show, the entry typed as soon as the page has
    loaded (the module compiled and started in a fresh worker);
  - a keystroke: from the input event until its answer is in the page, over
    the keystrokes that type 0.142857 and then mark 6 digits, with the
    working and without; back to back (each keystroke as soon as the last
    answer is in the page, before the browser has drawn it, so that its
    drawing falls on the next keystroke's time), and paced as a typist's
    keystrokes are (each once the last answer is drawn);
  - the download: every file of the folder, compressed with gzip -9.

    web/bench/page_bench.py [PAGE_FOLDER...]   (default build/web)

Several folders (another build of the page, say) are measured in the same
run, each in its own browser, their loads and rounds of keystrokes taken in
turns so that the machine's load falls on them alike."""
import contextlib
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

# Each step sets the entry (or the slider) and waits for the answer to be in
# the page; paced, the next one waits until the frame that shows it is drawn
# (a task queued in the frame's animation callback runs after its layout and
# paint).
KEYSTROKES = """
var steps = arguments[0], rounds = arguments[1], paced = arguments[2], done = arguments[3];
var answer = document.getElementById('answer'), times = [];
function step(i) {
  if (i === steps.length * rounds) { done(times); return; }
  var s = steps[i % steps.length];
  var observer = new MutationObserver(function () {
    if (answer.getAttribute('aria-busy') !== 'false') return;
    observer.disconnect();
    times.push(performance.now() - started);
    if (!paced) {
      setTimeout(function () { step(i + 1); }, 0);
      return;
    }
    requestAnimationFrame(function () {
      setTimeout(function () { step(i + 1); }, 0);
    });
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


def percentile(times, fraction):
    ordered = sorted(times)
    return ordered[int(fraction * (len(ordered) - 1))]


def main():
    folders = [pathlib.Path(f) for f in (sys.argv[1:] or ['build/web'])]
    pages = []
    with contextlib.ExitStack() as stack:
        for folder in folders:
            url, _ = stack.enter_context(browser.served(folder))
            driver = browser.chromium('ja')
            stack.callback(driver.quit)
            pages.append({'folder': folder, 'url': url, 'driver': driver, 'firsts': [],
                          'times': {}})
        for _ in range(LOADS):
            for page in pages:
                driver = page['driver']
                driver.get('about:blank')
                driver.get(page['url'] + 'index.html')
                page['firsts'].append(driver.execute_async_script(FIRST_ANSWER))
        for explain in (True, False):
            for page in pages:
                driver = page['driver']
                browser.wait_idle(driver)
                box = driver.find_element('id', 'explain')
                if box.is_selected() != explain:
                    box.click()
                browser.wait_idle(driver)
            for _ in range(ROUNDS):
                for page in pages:
                    for paced in (False, True):
                        what = f'working {"shown" if explain else "hidden"}, {"paced" if paced else "back to back"}'
                        times = page['driver'].execute_async_script(KEYSTROKES, keystrokes(), 1, paced)
                        page['times'].setdefault(what, []).extend(times)
    for page in pages:
        folder, firsts = page['folder'], page['firsts']
        print(f'{folder}:')
        print(f'  first answer after opening: median {statistics.median(firsts):.0f} ms, '
              f'slowest {max(firsts):.0f} ms ({LOADS} loads)')
        for what, times in page['times'].items():
            print(f'  keystroke to answer, {what}: '
                  f'median {statistics.median(times):.1f} ms, 95th percentile {percentile(times, 0.95):.1f} ms, '
                  f'slowest {max(times):.1f} ms ({len(times)} keystrokes)')
        total = 0
        for f in sorted(folder.iterdir()):
            raw = f.read_bytes()
            packed = len(gzip.compress(raw, 9))
            total += packed
            print(f'    {f.name}: {len(raw):,} bytes, {packed:,} gzip -9')
        print(f'  download: {total:,} bytes with gzip -9')


if __name__ == '__main__':
    main()
