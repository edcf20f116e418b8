#!/usr/bin/python3
"""The page on a school's devices, in headless Chromium: its answers as a
pupil writes them, one notation for one number, a keypad that stays put
under a finger and controls a finger can hit, a link to an entry, and the
page installed and working offline.

    web/tests/page_device_test.py PAGE_FOLDER QUOTALIS_CLI

Expected values are written out here, worked out by the test itself (the
period of 1/9419 by Python's arithmetic), or the native command line's."""
import contextlib
import functools
import http.server
import json
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import browser  # noqa: E402

PAGE = CLI = None
FINGER = 44  # CSS pixels, the least a control may measure either way
WIDTHS = (360, 768, 1024)


def cli(*args, language='en'):
    env = dict(os.environ, LANGUAGE=language, LC_ALL='C.UTF-8')
    return subprocess.run([CLI, *args], capture_output=True, text=True, env=env).stdout


def period_of(denominator):
    """The length of the period of 1/denominator (no factor 2 or 5), by
    counting the powers of ten until one leaves remainder 1."""
    k, r = 1, 10 % denominator
    while r != 1:
        r, k = r * 10 % denominator, k + 1
    return k


def errors(driver):
    """The browser console's errors since it was last asked."""
    return [e for e in driver.get_log('browser') if e['level'] == 'SEVERE']


class PageOnAServer(unittest.TestCase):
    """Helpers for a page served from 127.0.0.1 to a browser preferring Japanese."""

    @classmethod
    def setUpClass(cls):
        cls.server = browser.served(PAGE)
        cls.url, cls.requested = cls.server.__enter__()
        cls.driver = browser.chromium('ja')

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.__exit__(None, None, None)

    def open(self, fragment='', width=1280):
        d = self.driver
        d.set_window_size(width, 900)
        d.get('about:blank')  # a fragment alone would not load the page again
        d.get(self.url + 'index.html' + fragment)
        browser.wait_idle(d)
        WebDriverWait(d, 10).until(lambda d: d.execute_script(
            "return document.getElementById('notation').options.length > 0"))

    def el(self, id_):
        return self.driver.find_element(By.ID, id_)

    def put(self, text):
        self.driver.execute_script("var e = document.getElementById('entry'); e.value = arguments[0];"
                                   "e.dispatchEvent(new Event('input'));", text)
        browser.wait_idle(self.driver)

    def choose(self, id_, value):
        self.driver.execute_script("var s = document.getElementById(arguments[0]); s.value = arguments[1];"
                                   "s.dispatchEvent(new Event('change'));", id_, value)
        browser.wait_idle(self.driver)

    def answer(self):
        return self.el('answer-value').text

    def left(self):
        found = self.el('answer').find_elements(By.CLASS_NAME, 'lhs')
        return found[0].text if found else ''

    def facts(self):
        return [p.text for p in self.el('answer').find_elements(By.CLASS_NAME, 'fact')]


class Answers(PageOnAServer):
    """The answer as a pupil writes it, and in the notation chosen."""

    def setUp(self):
        self.open()

    def test_a_whole_number_as_itself_and_what_was_typed_kept(self):
        rows = [  # entry, what it equals, the answer
            ('0.(9)', '0.(9) =', '1'),
            ('9', '9 =', '9'),
            ('3 1/4', '3 1/4 = 13/4 =', '3.25'),
            ('4/2', '4/2 =', '2'),
            ('0.5', '0.5 =', '1/2'),
            ('-12/4', '-12/4 =', '-3'),
        ]
        for entry, left, answer in rows:
            with self.subTest(entry=entry):
                self.put(entry)
                self.assertEqual((self.left(), self.answer()), (left, answer))
        # The command line's answers stay as scripts know them.
        self.assertEqual(cli('0.(9)').strip(), '1/1')
        self.assertEqual(cli('3 1/4').strip(), '3.25')

    def test_a_long_periods_length_is_said(self):
        self.assertEqual(period_of(9419), 554)
        self.put('1/9419')
        self.assertIn('循環節は 554 桁', self.facts())
        self.put('1/7')  # six digits: nothing to say
        self.assertEqual(self.facts(), [])
        self.choose('language', 'en')
        self.put('1/9419')
        self.assertIn('the period has 554 digits', self.facts())

    def test_a_cut_answers_note_stands_before_its_digits(self):
        # The note the library writes at a cut decimal's end, in English for
        # programs, is taken off and said in the page's words, before the
        # digits, where the first 2,000 characters are.
        r = {'reading': 'fraction', 'decimal': '0.(1428...) [cut: the period has 6 digits; the first 4 are shown]',
             'cut': True, 'nonRecurring': 0, 'period': 6, 'fraction': '1/7', 'numerator': '1',
             'denominator': '7', 'input': '1/7'}
        shown = self.driver.execute_script(
            "var w = QUOTALIS_WORDS.ja, r = arguments[0];"
            "return [quotalisShownAnswer(r), quotalisFacts(r, w, 'ja')];", r)
        self.assertEqual(shown, ['0.(1428...)', ['循環節のはじめの 4 桁だけを求めました。']])
        r.update(decimal='0.12... [cut: the decimal ends after 10 digits; the first 2 are shown]',
                 nonRecurring=10, period=0)
        shown = self.driver.execute_script(
            "return quotalisFacts(arguments[0], QUOTALIS_WORDS.en, 'en');", r)
        self.assertEqual(shown, ['The digits before the period number 10; only the first 2 were worked out.'])

    def test_a_calculators_display_is_offered_as_rounded(self):
        self.put('0.6666666667')
        self.assertEqual(self.answer(), '6666666667/10000000000')
        offer = self.el('read-as-rounded')
        offer.click()
        browser.wait_idle(self.driver)
        self.assertTrue(self.el('rounded').is_selected())
        self.assertEqual(self.answer(), cli('--rounded', '0.6666666667').strip())
        self.assertEqual(self.answer(), '2/3')
        self.assertFalse(self.el('answer').find_elements(By.ID, 'read-as-rounded'))
        self.el('rounded').click()
        for entry in ('0.666666667', '0.(6666666667)', '1/3'):  # nine digits; not a plain decimal
            with self.subTest(entry=entry):
                self.put(entry)
                self.assertFalse(self.el('answer').find_elements(By.ID, 'read-as-rounded'))

    def test_a_display_followed_by_an_ellipsis_is_pointed_to_rounding(self):
        self.put('0.6666666667...')
        refusal = self.el('answer').find_element(By.CLASS_NAME, 'refusal').text
        expected = json.loads(cli('--json', '--', '0.6666666667...', language='ja'))['error']
        self.assertEqual(refusal, expected)
        self.assertIn('0.6666666667 と書いて概数として読んでください', refusal)
        self.assertNotIn('7 がくり返すなら', refusal)

    def notation_marks(self):
        """The answer, the working's last block's spoken text, and the marks
        its MathML draws: dots (a full stop over a digit), lines (―), characters ("(")."""
        last = self.driver.find_elements(By.CSS_SELECTOR, '#working > math, #working > p.quotalis-sentence')[-1]
        markup = last.get_attribute('outerHTML')
        spoken = (last.find_element(By.CLASS_NAME, 'offscreen').get_attribute('textContent')
                  if last.tag_name == 'p' else last.get_attribute('alttext'))
        return (self.answer(), spoken,
                {'dots': '<mo>.</mo></mover>' in markup, 'line': '―' in markup, 'parentheses': bool(re.search(r'<mn>[0-9.]*\(6\)</mn>', markup))})

    def test_one_notation_for_the_answer_the_working_and_its_spoken_text(self):
        self.assertEqual(self.el('notation').get_attribute('value'), 'dots')
        self.put('1/6')
        answer, spoken, marks = self.notation_marks()
        self.assertEqual(answer, '0.16\u0307')
        self.assertEqual(answer, cli('--notation', 'dots', '1/6').strip())
        # Heard, the period is named in words whatever marks it on the page.
        self.assertIn('6 がくり返す', spoken)
        self.assertNotRegex(spoken, '[()\u0307\u0305]')
        self.assertEqual(marks, {'dots': True, 'line': False, 'parentheses': False})
        # The answer's dot is drawn by the page over its digit (the faces' own
        # combining dot sits on the digit's top or is lost), and prints.
        dotted = self.driver.execute_script(
            "return Array.from(document.querySelectorAll('#answer-value .dotted')).map(function (e) {"
            "  var s = getComputedStyle(e);"
            "  return [e.textContent, s.textEmphasisStyle || s.webkitTextEmphasisStyle]; })")
        self.assertEqual([d[0] for d in dotted], ['6'])
        self.assertIn('dot', dotted[0][1])
        # English readers' default is the parentheses, until one is chosen.
        self.choose('language', 'en')
        self.assertEqual(self.el('notation').get_attribute('value'), 'parentheses')
        answer, spoken, marks = self.notation_marks()
        self.assertEqual(answer, '0.1(6)')
        self.assertIn('6 recurring', spoken)
        self.assertNotRegex(spoken, '[()\u0307\u0305]')
        self.assertEqual(marks, {'dots': False, 'line': False, 'parentheses': True})
        # A notation chosen stays chosen in either language, and changes all three.
        self.choose('notation', 'overline')
        self.choose('language', 'ja')
        self.assertEqual(self.el('notation').get_attribute('value'), 'overline')
        answer, spoken, marks = self.notation_marks()
        self.assertEqual(answer, '0.16\u0305')
        self.assertIn('6 がくり返す', spoken)
        self.assertEqual(marks, {'dots': False, 'line': True, 'parentheses': False})
        self.assertEqual(self.driver.execute_script(
            "return Array.from(document.querySelectorAll('#answer-value .lined')).map(function (e) {"
            "  return e.textContent; })"), ['6'])


class Finger(PageOnAServer):
    """Steady under a finger, and every control big enough for one."""

    def key_places(self):
        return self.driver.execute_script("""
            return Array.from(document.querySelectorAll('#keypad button')).map(function (b) {
              var r = b.getBoundingClientRect();
              return [b.getAttribute('data-key'), r.left + scrollX, r.top + scrollY, r.width, r.height];
            });""")

    def press(self, key):
        self.driver.execute_script(
            "document.querySelector('#keypad [data-key=\"' + arguments[0] + '\"]').click();", key)
        browser.wait_idle(self.driver)

    def test_no_key_moves_when_a_key_is_pressed_or_an_answer_comes(self):
        worst = 0.0
        for width in WIDTHS:
            self.open(width=width)
            before = self.key_places()
            keys = [k for k, *_ in before]
            self.assertEqual(sorted(keys), sorted(['C', 'BS', '.', '(', ')', '/', '\u2212', '\u2026', 'space',
                                                   *'0123456789']))
            # Every key once, then the entries that bring the tallest answers:
            # a refusal with its advice, a long answer, a cut one's note.
            steps = [('key', k) for k in keys if k != 'C'] + [('key', 'C')]
            steps += [('entry', e) for e in ('0.6666666667...', '1/9419', '1e5000', '0.1(6', '')]
            for kind, value in steps:
                if kind == 'key':
                    self.press(value)
                else:
                    self.put(value)
                after = self.key_places()
                moved = max(max(abs(a - b) for a, b in zip(x[1:], y[1:])) for x, y in zip(before, after))
                worst = max(worst, moved)
                self.assertLess(moved, 0.5, (width, kind, value, before, after))
        print(f'\n  keys moved at most {worst:.2f} px', file=sys.stderr)

    def small_controls(self):
        return self.driver.execute_script("""
            var small = [];
            document.querySelectorAll('input, select, button, textarea').forEach(function (e) {
              if (e.id === 'clipboard-text') return;  // the hidden copy, never shown
              var r = e.getBoundingClientRect();
              if (r.width === 0 && r.height === 0) return;  // not shown now
              small.push([e.id || e.getAttribute('data-key') || e.outerHTML.slice(0, 60),
                          Math.round(r.width * 10) / 10, Math.round(r.height * 10) / 10]);
            });
            return small;""")

    def test_every_control_a_finger_can_hit(self):
        smallest = None
        for width in WIDTHS:
            for entry in ('1e5000', '0.6666666667'):  # the long answer's buttons; the offer
                with self.subTest(width=width, entry=entry):
                    self.open(width=width)
                    self.put(entry)
                    controls = self.small_controls()
                    self.assertGreater(len(controls), 25)
                    for name, w, h in controls:
                        self.assertGreaterEqual(min(w, h), FINGER - 0.05, (width, name, w, h))
                        smallest = min(smallest or 1e9, w, h)
        print(f'\n  smallest control: {smallest} px', file=sys.stderr)

    def test_focus_is_visible(self):
        self.open()
        self.el('entry').click()
        self.el('entry').send_keys(Keys.TAB)
        outline = self.driver.execute_script(
            "var s = getComputedStyle(document.activeElement);"
            "return [document.activeElement.matches(':focus-visible'), s.outlineStyle, parseFloat(s.outlineWidth)];")
        self.assertEqual(outline[:2], [True, 'solid'])
        self.assertGreaterEqual(outline[2], 2)


class Address(PageOnAServer):
    """A link to an entry and its choices."""

    def fragment(self):
        return self.driver.execute_script('return location.hash')

    def test_a_link_opens_the_page_on_its_entry_and_choices(self):
        self.open('#q=0.3(42)&n=overline&mixed=1&lang=en')
        self.assertEqual(self.el('entry').get_attribute('value'), '0.3(42)')
        self.assertEqual(self.el('language').get_attribute('value'), 'en')
        self.assertEqual(self.el('notation').get_attribute('value'), 'overline')
        self.assertTrue(self.el('mixed').is_selected())
        self.assertEqual(self.answer(), cli('--mixed', '--notation', 'overline', '0.3(42)').strip())
        self.assertEqual(self.answer(), '113/330')
        # K for a plain decimal, given before the slider knows its reach.
        self.open('#q=0.1666&k=1')
        self.assertEqual(self.el('period').get_attribute('value'), '1')
        self.assertEqual(self.answer(), '1/6')
        # A fraction's space and slash, and Japanese text, come back as typed.
        self.open('#q=%EF%BC%91%201%2F6&explain=0')
        self.assertEqual(self.el('entry').get_attribute('value'), '１ 1/6')
        self.assertFalse(self.el('explain').is_selected())

    def test_the_address_keeps_in_step_without_filling_the_history(self):
        self.open()
        length = self.driver.execute_script('return history.length')
        self.assertEqual(self.fragment(), '')
        for key in ('1', '/', '7'):
            self.driver.execute_script(
                "document.querySelector('#keypad [data-key=\"' + arguments[0] + '\"]').click();", key)
            browser.wait_idle(self.driver)
        self.assertEqual(self.fragment(), '#q=1/7')
        self.choose('notation', 'brackets')
        self.el('explain').click()
        browser.wait_idle(self.driver)
        self.assertEqual(self.fragment(), '#q=1/7&n=brackets&explain=0')
        self.put('0.125')
        slider = self.el('period')
        slider.send_keys(Keys.ARROW_RIGHT)
        browser.wait_idle(self.driver)
        self.assertEqual(self.fragment(), '#q=0.125&k=1&n=brackets&explain=0')
        self.assertEqual(self.driver.execute_script('return history.length'), length)
        # Reopened from the address, the page shows the same.
        answer = self.answer()
        self.driver.refresh()
        browser.wait_idle(self.driver)
        WebDriverWait(self.driver, 10).until(lambda d: self.el('period').get_attribute('value') == '1')
        self.assertEqual(self.answer(), answer)
        self.assertEqual(answer, cli('--period', '1', '--notation', 'brackets', '0.125').strip())
        # A fragment changed by hand (or a link followed in the same tab).
        self.driver.execute_script("location.hash = '#q=2/3'")
        browser.wait_idle(self.driver)
        WebDriverWait(self.driver, 5).until(lambda d: self.el('entry').get_attribute('value') == '2/3')
        browser.wait_idle(self.driver)
        self.put('')
        self.assertEqual(self.fragment(), '#n=brackets&explain=0')


class _Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def server_on(folder, port):
    """A static server for `folder` on 127.0.0.1:`port` (0: any free one);
    yields the port."""
    server = http.server.ThreadingHTTPServer(
        ('127.0.0.1', port), functools.partial(_Handler, directory=str(folder)))
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield server.server_address[1]
    finally:
        server.shutdown()
        server.server_close()


def png_size(path):
    data = pathlib.Path(path).read_bytes()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', path
    return struct.unpack('>II', data[16:24])


class Installed(unittest.TestCase):
    """The page in a subfolder of a static server: installable, offline after
    one visit, and told of a new version."""

    def setUp(self):
        self.root = pathlib.Path(tempfile.mkdtemp())
        self.folder = self.root / 'school' / 'quotalis'
        shutil.copytree(PAGE, self.folder)
        self.driver = browser.chromium('ja')

    def tearDown(self):
        self.driver.quit()
        shutil.rmtree(self.root)

    def wait_controlled(self):
        WebDriverWait(self.driver, 30).until(lambda d: d.execute_script(
            'return Boolean(navigator.serviceWorker && navigator.serviceWorker.controller)'))

    def type_and_answer(self, entry):
        d = self.driver
        d.execute_script("var e = document.getElementById('entry'); e.value = arguments[0];"
                         "e.dispatchEvent(new Event('input'));", entry)
        browser.wait_idle(d)
        return d.find_element(By.ID, 'answer-value').text

    def test_the_manifest_names_its_icons_and_they_have_their_sizes(self):
        manifest = json.loads((self.folder / 'manifest.webmanifest').read_text(encoding='utf-8'))
        self.assertEqual((manifest['lang'], manifest['start_url'], manifest['display']),
                         ('ja', './', 'standalone'))
        self.assertIn('小数', manifest['name'])
        self.assertIn('分数', manifest['description'])
        self.assertTrue(manifest['theme_color'].startswith('#'))
        sizes = {}
        for icon in manifest['icons']:
            width, height = png_size(self.folder / icon['src'])
            self.assertEqual(icon['sizes'], f'{width}x{height}', icon)
            sizes.setdefault(icon.get('purpose', 'any'), set()).add(width)
        self.assertEqual(sizes, {'any': {192, 512}, 'maskable': {512}})
        self.assertTrue((self.folder / 'favicon.ico').read_bytes().startswith(b'\0\0\1\0'))

    def test_a_reload_without_the_network_answers(self):
        d = self.driver
        listed = (self.folder / 'sw.js').read_text(encoding='utf-8')
        files = sorted(p.name for p in self.folder.iterdir() if p.name != 'sw.js')
        for name in files:
            self.assertIn(f"'{name}'", listed)  # every file of the folder is kept
        with server_on(self.root, 0) as port:
            url = f'http://127.0.0.1:{port}/school/quotalis/'
            d.get(url)
            browser.wait_idle(d)
            self.wait_controlled()
            self.assertEqual(d.execute_script("return document.querySelector('link[rel=manifest]').href"),
                             url + 'manifest.webmanifest')
            kept = d.execute_async_script("""
                var done = arguments[0];
                caches.keys().then(function (names) {
                  return caches.open(names[0]).then(function (c) { return c.keys(); }).then(function (keys) {
                    done([names, keys.map(function (k) { return k.url; })]);
                  });
                });""")
            self.assertEqual(len(kept[0]), 1)
            self.assertEqual(sorted(u[len(url):] for u in kept[1]), sorted([''] + files))
            self.assertEqual(errors(d), [])
        # The server is gone: the page comes from what was kept.
        d.refresh()
        browser.wait_idle(d)
        self.assertEqual(self.type_and_answer('1/7'), '0.1\u030742857\u0307')
        d.get(url + 'index.html#q=0.1(6)')
        browser.wait_idle(d)
        self.assertEqual(d.find_element(By.ID, 'answer-value').text, '1/6')
        self.assertEqual(errors(d), [])
        print(f'\n  kept: {len(kept[1])} files', file=sys.stderr)

    def test_a_new_version_is_taken_and_said(self):
        d = self.driver
        with server_on(self.root, 0) as port:
            url = f'http://127.0.0.1:{port}/school/quotalis/'
            d.get(url)
            browser.wait_idle(d)
            self.wait_controlled()
            self.assertFalse(d.find_element(By.ID, 'update').is_displayed())
            # A new build: another footer, so another version.
            words = self.folder / 'words.js'
            words.write_text(words.read_text(encoding='utf-8').replace('小数を分数に、', '小数を分数に（新版）、'),
                             encoding='utf-8')
            sw = self.folder / 'sw.js'
            text = sw.read_text(encoding='utf-8')
            start = text.index("QUOTALIS_VERSION = '") + len("QUOTALIS_VERSION = '")
            sw.write_text(text[:start] + 'next' + text[start + 4:], encoding='utf-8')
            d.refresh()
            browser.wait_idle(d)
            WebDriverWait(d, 30).until(lambda d: d.find_element(By.ID, 'update').is_displayed())
            self.assertIn('新しいバージョン', d.find_element(By.ID, 'update').text)
            d.find_element(By.ID, 'reload').click()
            WebDriverWait(d, 30).until(lambda d: '（新版）' in d.find_element(By.TAG_NAME, 'footer').text)
            self.assertEqual(errors(d), [])

    def test_from_disk_without_a_service_worker_nor_an_error(self):
        d = self.driver
        d.get((self.folder / 'index.html').as_uri() + '#q=1/6')
        browser.wait_idle(d)
        self.assertEqual(d.find_element(By.ID, 'answer-value').text, '0.16\u0307')
        self.assertFalse(d.execute_script(
            'return Boolean(navigator.serviceWorker && navigator.serviceWorker.controller)'))
        self.assertEqual(errors(d), [])


if __name__ == '__main__':
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    PAGE, CLI = sys.argv[1], os.path.abspath(sys.argv[2])
    del sys.argv[1:3]
    unittest.main(verbosity=2)
