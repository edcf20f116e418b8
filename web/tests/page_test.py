#!/usr/bin/python3
"""The page in a browser, checked against the native command line.

    web/tests/page_test.py [--engine chromium|webkit] PAGE_FOLDER QUOTALIS_CLI

The engine is headless Chromium (the default) or WebKitGTK (browser.py).
PAGE_FOLDER is what `./build.sh web` writes (build/web); QUOTALIS_CLI the
native program, whose --json, --explain and messages are the reference. The
page is served from 127.0.0.1 for every test but one, which opens it from
disk. Expected answers are the command line's, or written out here."""
import json
import os
import pathlib
import re
import struct
import subprocess
import sys
import tempfile
import time
import unittest
from fractions import Fraction

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import browser  # noqa: E402

PAGE = CLI = None
ENGINE = 'chromium'
SHARED_TABLE = pathlib.Path(__file__).resolve().parent / 'shared-entries.txt'


def cli(*args, language='en'):
    """The command line's output for `args`, LANGUAGE set to `language`."""
    env = dict(os.environ, LANGUAGE=language, LC_ALL='C.UTF-8')
    return subprocess.run([CLI, *args], capture_output=True, text=True, env=env).stdout


def cli_json(entry, *options, language='en'):
    return json.loads(cli('--json', *options, '--', entry, language=language))


class Page(unittest.TestCase):
    """The page from a local server, in a browser that prefers Japanese."""

    @classmethod
    def setUpClass(cls):
        cls.server = browser.served(PAGE)
        cls.url, cls.requested = cls.server.__enter__()
        cls.driver = browser.open_browser(ENGINE, 'ja')
        cls.driver.get(cls.url + 'index.html')
        browser.wait_idle(cls.driver)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.__exit__(None, None, None)

    def setUp(self):
        d = self.driver
        self.set_language('ja')
        for id_, wanted in (('mixed', False), ('rounded', False), ('explain', True)):
            box = d.find_element(By.ID, id_)
            if box.is_selected() != wanted:
                box.click()
        d.execute_script("var n = document.getElementById('notation');"
                         "n.value = 'parentheses'; n.dispatchEvent(new Event('change'));")
        d.execute_script("var b = document.getElementById('check-working');"
                         "b.value = ''; b.dispatchEvent(new Event('input'));")
        self.type('')

    # ---- helpers

    def el(self, id_):
        return self.driver.find_element(By.ID, id_)

    def type(self, text):
        entry = self.el('entry')
        entry.send_keys(Keys.CONTROL, 'a')
        entry.send_keys(Keys.DELETE)
        if ENGINE == 'webkit' and re.search(r'[^0-9a-z./ -]', text):
            # WebKit's driver types a character that takes Shift, or one off
            # the keyboard, as its unshifted key ("(" as "9"): those go in as
            # the keyboard's input would.
            self.driver.execute_script(
                "var e = arguments[0]; e.focus(); e.setRangeText(arguments[1], e.selectionStart,"
                " e.selectionEnd, 'end'); e.dispatchEvent(new InputEvent('input', {inputType: 'insertText',"
                " data: arguments[1]}));", entry, text)
        elif text:
            entry.send_keys(text)
        browser.wait_idle(self.driver)

    def answer(self):
        return self.el('answer-value').text

    def put(self, text):
        """The entry set to `text` at once, as one edit."""
        self.driver.execute_script("var e = document.getElementById('entry'); e.value = arguments[0];"
                                   "e.dispatchEvent(new Event('input'));", text)
        browser.wait_idle(self.driver)

    def set_language(self, language):
        d = self.driver
        if self.el('language').get_attribute('value') != language:
            d.execute_script("var s = document.getElementById('language');"
                             "s.value = arguments[0]; s.dispatchEvent(new Event('change'));", language)
            browser.wait_idle(d)

    def working_text(self):
        return self.el('working').text

    def press(self, *keys):
        for key in keys:
            self.driver.find_element(By.CSS_SELECTOR, f'#keypad [data-key="{key}"]').click()
        browser.wait_idle(self.driver)

    def marked(self, kind):
        return ''.join(m.text for m in self.el('entry-view').find_elements(By.CSS_SELECTOR, 'mark.' + kind))

    # ---- tests

    def test_opens_in_japanese_with_every_control_labelled(self):
        d = self.driver
        self.assertEqual(d.execute_script('return document.documentElement.lang'), 'ja')
        self.assertEqual(self.el('language').get_attribute('value'), 'ja')
        self.assertEqual(d.find_element(By.CSS_SELECTOR, 'label[for=entry]').text,
                         '数（小数・分数・帯分数）')
        unlabelled = d.execute_script("""
            return Array.from(document.querySelectorAll('input, select, button')).filter(function (e) {
              if (e.id === 'clipboard-text') return false;
              var name = e.getAttribute('aria-label') || (e.labels && e.labels.length && e.labels[0].textContent)
                         || e.textContent;
              return !name || !name.trim();
            }).map(function (e) { return e.outerHTML; });""")
        self.assertEqual(unlabelled, [])
        self.assertEqual(self.el('answer').get_attribute('aria-live'), 'polite')

    def test_typing_answers_both_directions_as_the_command_line(self):
        rows = [  # entry, answer written out, options
            ('0.1(6)', '1/6', ()),
            ('1/7', '0.(142857)', ()),
            ('1 1/6', '1.1(6)', ()),
            ('０．１（６）', '1/6', ()),
            ('0.1666・・・', '1/6', ()),
            ('-1.2(3)e-5', '-37/3000000', ()),
            ('1/7', '0.1̇42857̇', ('dots',)),
            ('1/6', '0.1\\overline{6}', ('latex',)),
            ('1/7', '0.142857 6', ('keypad',)),
        ]
        for entry, expected, notation in rows:
            with self.subTest(entry=entry, notation=notation):
                name = notation[0] if notation else 'parentheses'
                self.driver.execute_script("var n = document.getElementById('notation');"
                                           "n.value = arguments[0]; n.dispatchEvent(new Event('change'));",
                                           name)
                self.type(entry)
                self.assertEqual(self.answer(), expected)
                self.assertEqual(expected, cli('--notation', name, '--', entry).strip())

    def test_mixed_and_rounded(self):
        self.el('mixed').click()
        self.type('1.1(6)')
        self.assertEqual(self.answer(), '1 1/6')
        self.el('mixed').click()
        self.el('rounded').click()
        self.type('0.333')
        self.assertEqual(self.answer(), '1/3')
        self.assertEqual(self.answer(), cli('--rounded', '0.333').strip())
        self.assertEqual(self.el('period').get_attribute('disabled'), 'true')

    def test_keypad_and_slider_mark_the_recurring_digits(self):
        self.press('C', '0', '.', '1', '6', '6', '6')
        self.assertEqual(self.el('entry').get_attribute('value'), '0.1666')
        self.assertEqual(self.answer(), '833/5000')
        self.press('.')  # a second point is refused, as on the desktop keypad
        self.assertEqual(self.el('entry').get_attribute('value'), '0.1666')
        slider = self.el('period')
        self.assertEqual(slider.get_attribute('max'), '4')
        slider.send_keys(Keys.ARROW_RIGHT)
        browser.wait_idle(self.driver)
        self.assertEqual(self.answer(), '1/6')
        self.assertEqual(self.marked('recurring'), '6')
        slider.send_keys(Keys.ARROW_RIGHT)
        browser.wait_idle(self.driver)
        self.assertEqual(self.marked('recurring'), '66')
        self.assertEqual(self.answer(), cli('--period', '2', '0.1666').strip())  # 0.1(66) is 1/6 too
        slider.send_keys(Keys.END)
        browser.wait_idle(self.driver)
        self.assertEqual(self.marked('recurring'), '1666')
        self.assertEqual(self.answer(), '1666/9999')
        # The slider follows the digits as they are deleted.
        self.press('BS', 'BS')
        self.assertEqual(self.el('entry').get_attribute('value'), '0.16')
        self.assertEqual(slider.get_attribute('value'), '2')
        self.assertEqual(self.answer(), '16/99')
        self.press('C')
        self.assertEqual(self.el('entry').get_attribute('value'), '')
        self.assertEqual(slider.get_attribute('disabled'), 'true')

    def test_working_is_mathml_with_a_spoken_alternative(self):
        self.type('0.1(6)')
        maths = self.driver.find_elements(By.CSS_SELECTOR, '#working > math')
        self.assertGreater(len(maths), 0)
        self.assertTrue(self.driver.find_elements(By.CSS_SELECTOR, '#working mfrac'))
        for math in maths:
            spoken = math.get_attribute('alttext') or math.get_attribute('aria-label')
            self.assertTrue(spoken and spoken.strip(), math.get_attribute('outerHTML')[:200])
        # A sentence is heard as its spoken text, its shown words and formulas hidden from
        # the screen reader, so that nothing is heard twice.
        sentences = self.driver.find_elements(By.CSS_SELECTOR, '#working > p.quotalis-sentence')
        self.assertGreater(len(sentences), 0)
        self.assertIn('エックス イコール 0.16、6 がくり返す', self.spoken())
        for p in sentences:
            self.assertTrue(p.find_element(By.CLASS_NAME, 'offscreen').get_attribute('textContent'))
            self.assertEqual(p.find_element(By.CSS_SELECTOR, '[aria-hidden="true"]').tag_name, 'span')
        self.type('1/7')
        self.assertTrue(self.driver.find_elements(By.CSS_SELECTOR, '#working math'))
        self.el('explain').click()
        browser.wait_idle(self.driver)
        self.assertFalse(self.el('working').is_displayed())

    def check_working(self, text):
        box = self.el('check-working')
        self.driver.execute_script("arguments[0].value = arguments[1];"
                                   "arguments[0].dispatchEvent(new Event('input'));", box, text)
        from selenium.webdriver.support.ui import WebDriverWait
        WebDriverWait(self.driver, 30, poll_frequency=0.02).until(
            lambda d: self.el('check-lines').get_attribute('aria-busy') != 'true')
        return [(li.find_element(By.CSS_SELECTOR, '.check-mark').text,
                 'first-wrong' in li.get_attribute('class'))
                for li in self.el('check-lines').find_elements(By.CSS_SELECTOR, 'li')]

    def test_the_pupils_working_is_checked_line_by_line(self):
        self.type('0.1(6)')
        self.assertTrue(self.el('working-area').is_displayed())
        lines = self.check_working('x = 0.1(6) とおく。\n100x = 16.(6)\n10x = 1.(6)\n'
                                   '100x - 10x = 80x\nx = 1/6')
        self.assertEqual(lines, [('○', False), ('○', False), ('○', False), ('×', True),
                                 ('○', False)])
        closing = self.el('check-closing')
        self.assertEqual(closing.get_attribute('aria-live'), 'polite')
        self.assertIn('4行目', closing.text)
        self.assertIn('引き算', closing.text)
        # The program's working is hidden until asked for.
        self.assertFalse(self.el('working-area').is_displayed())
        self.el('show-working').click()
        self.assertTrue(self.el('working-area').is_displayed())
        self.el('show-working').click()
        self.set_language('en')
        self.check_working('x = 16/99')
        self.assertIn('Line 1 is the first wrong line', self.el('check-closing').text)
        self.assertEqual(self.check_working('答え 1/6'), [('○', False)])
        self.assertIn('All right', self.el('check-closing').text)
        # The keypad types into the box when it was the last one used.
        self.check_working('x = 1/')
        self.el('check-working').click()
        self.driver.execute_script("var b = document.getElementById('check-working');"
                                   "b.selectionStart = b.selectionEnd = b.value.length;")
        self.press('6')
        self.assertEqual(self.el('check-working').get_attribute('value'), 'x = 1/6')
        self.assertEqual(self.el('entry').get_attribute('value'), '0.1(6)')
        self.assertEqual(self.check_working('x = 1/6'), [('○', False)])
        self.el('entry').click()
        self.press('BS')
        self.assertEqual(self.el('entry').get_attribute('value'), '0.1(6')
        self.check_working('')
        self.assertTrue(self.el('working-area').is_displayed())

    def test_language_switch_rerenders_labels_refusals_and_working(self):
        self.type('0.1(6)')
        ja_working = cli('--explain', '--spoken', '0.1(6)', language='ja').splitlines()
        self.assertIn('とおく', ja_working[0])
        self.assertIn(ja_working[-1], self.el('working').get_attribute('textContent') + self.spoken())
        self.set_language('en')
        self.assertEqual(self.driver.execute_script('return document.documentElement.lang'), 'en')
        self.assertEqual(self.driver.find_element(By.CSS_SELECTOR, 'label[for=entry]').text,
                         'Number (decimal, fraction or mixed number)')
        en_working = cli('--explain', '--spoken', '0.1(6)').splitlines()
        self.assertIn(en_working[-1], self.el('working').get_attribute('textContent') + self.spoken())
        self.assertNotIn('とおく', self.spoken())
        self.type('0.1(6')
        self.assertEqual(self.el('answer').find_element(By.CLASS_NAME, 'refusal').text,
                         cli_json('0.1(6')['error'])
        self.set_language('ja')
        self.assertEqual(self.el('answer').find_element(By.CLASS_NAME, 'refusal').text,
                         cli_json('0.1(6', language='ja')['error'])

    def spoken(self):
        """What a screen reader hears of the working's blocks: a formula
        block's alternative text, a sentence's spoken text."""
        return ' '.join(self.driver.execute_script("""
            return Array.from(document.querySelectorAll(
                '#working > math, #working > p.quotalis-sentence')).map(function (b) {
              if (b.localName === 'p') return b.querySelector('.offscreen').textContent;
              return b.getAttribute('alttext') || b.getAttribute('aria-label') || '';
            });"""))

    def test_refusals_point_at_the_character(self):
        rows = [('0.1(6', 4, '('), ('0.5x', 4, 'x'), ('１/０', 3, '０'), ('1..2', 3, '.')]
        for entry, position, character in rows:
            with self.subTest(entry=entry):
                self.type(entry)
                expected = cli_json(entry, language='ja')
                self.assertEqual(expected.get('position'), position)
                self.assertEqual(self.el('answer').find_element(By.CLASS_NAME, 'refusal').text,
                                 expected['error'])
                self.assertEqual(self.el('entry').get_attribute('aria-invalid'), 'true')
                if character:
                    self.assertEqual(self.marked('fault'), character)
                    self.assertEqual(self.el('answer').find_element(By.CSS_SELECTOR, 'mark.fault').text,
                                     character)
                else:
                    self.assertEqual(self.marked('fault'), '')

    def test_copying_the_working_as_text_and_latex(self):
        d = self.driver
        if ENGINE == 'chromium':
            d.execute_cdp_cmd('Browser.grantPermissions', {
                'origin': self.url.rstrip('/'),
                'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})
        self.type('1/7')
        for button, args in (('copy-text', ('--explain', '1/7')),
                             ('copy-latex', ('--explain', '--notation', 'latex', '1/7'))):
            with self.subTest(button=button):
                self.el(button).click()
                WebDriverWait(d, 5).until(lambda d: self.el('copy-status').text)
                self.assertEqual(self.el('copy-status').text, 'コピーしました。')
                expected = cli(*args, language='ja').rstrip('\n')
                self.assertEqual(self.el('clipboard-text').get_attribute('value'), expected)
                if ENGINE == 'chromium':  # WebKit's driver cannot grant reading the clipboard
                    pasted = d.execute_async_script(
                        'var done = arguments[0];'
                        'navigator.clipboard.readText().then(done, function (e) { done(null); });')
                    self.assertEqual(pasted, expected)
                d.execute_script("document.getElementById('copy-status').textContent = ''")

    def test_long_answer_is_cut_with_its_length_and_saved_whole(self):
        d = self.driver
        entry = '1e5000'
        self.type(entry)
        whole = cli(entry).strip()
        self.assertEqual(len(whole), 5003)
        self.assertEqual(self.answer(), whole[:2000] + '…')
        self.assertTrue(self.el('long').is_displayed())
        self.assertIn('5,003', self.el('long-note').text)
        # A screen reader hears the length, not the digits.
        self.assertEqual(self.el('answer-value').get_attribute('aria-hidden'), 'true')
        self.assertIn('5,003', self.el('answer').get_attribute('textContent'))
        self.el('copy-answer').click()
        WebDriverWait(d, 5).until(lambda d: self.el('long-status').text)
        self.assertEqual(self.el('clipboard-text').get_attribute('value'), whole)
        if ENGINE != 'chromium':  # where WebKit's driver saves a download cannot be chosen
            return
        with tempfile.TemporaryDirectory() as folder:
            d.execute_cdp_cmd('Page.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': folder})
            self.el('download-answer').click()
            saved = pathlib.Path(folder) / 'quotalis-answer.txt'
            WebDriverWait(d, 10).until(lambda d: saved.exists())
            self.assertEqual(saved.read_text(encoding='utf-8'), whole)

    def start_a_slow_rounded_display(self):
        """Reads a display of 100,000 digits as rounded (about a second
        natively, longer here) and waits for the progress to show."""
        d = self.driver
        self.el('rounded').click()
        slow = '0.' + '3' * 99_999 + '4'
        d.execute_script("var e = document.getElementById('entry'); e.value = arguments[0];"
                         "e.dispatchEvent(new Event('input'));", slow)
        WebDriverWait(d, 10, poll_frequency=0.05).until(lambda d: self.el('progress').is_displayed())

    def test_a_long_computation_shows_its_time_and_is_cancelled(self):
        self.start_a_slow_rounded_display()
        self.assertRegex(self.el('elapsed').text, r'計算中… \d+\.\d 秒')
        started = time.monotonic()
        self.el('cancel').click()
        self.assertLess(time.monotonic() - started, 2)
        self.assertFalse(self.el('progress').is_displayed())
        self.assertEqual(self.el('answer').text, '計算を中止しました。数を変えると、また計算します。')
        self.el('rounded').click()
        self.type('0.5')  # a fresh worker answers
        self.assertEqual(self.answer(), '1/2')

    def test_a_slow_answer_no_longer_wanted_is_dropped(self):
        self.start_a_slow_rounded_display()
        started = time.monotonic()
        self.type('0.25')  # still read as a rounded display: 1/4
        self.assertLess(time.monotonic() - started, 2)
        self.assertEqual(self.answer(), '1/4')
        self.assertFalse(self.el('progress').is_displayed())

    def options(self):
        return self.driver.execute_script(
            "return Array.from(document.getElementById('notation').options)"
            ".map(function (o) { return [o.value, o.textContent]; })")

    def test_the_notation_list_is_the_modules_in_the_pages_language(self):
        names = ['parentheses', 'brackets', 'quotes', 'r', 'dots', 'overline', 'ellipsis', 'latex',
                 'keypad']
        labels = {
            'ja': ['かっこ 0.1(6)', '角かっこ 0.1[6]', "引用符 0.1'6'", 'r 0.1r6', '上に点 0.16\u0307',
                   '上に線 0.16\u0305', '… 0.1666...', 'LaTeX 0.1\\overline{6}', 'キーパッドの打ち方 0.16 1'],
            'en': ['parentheses 0.1(6)', 'brackets 0.1[6]', "quotes 0.1'6'", 'r 0.1r6', 'dots 0.16\u0307',
                   'overline 0.16\u0305', 'ellipsis 0.1666...', 'LaTeX 0.1\\overline{6}',
                   'what to type on the keypad 0.16 1'],
        }
        # The page itself lists none: they come from the module.
        html = (pathlib.Path(PAGE) / 'index.html').read_text(encoding='utf-8')
        self.assertNotIn('<option value="parentheses"', html)
        self.assertEqual(self.options(), [list(p) for p in zip(names, labels['ja'])])
        # Each one is a notation the command line answers in: its example is 1/6 in it.
        for name, label in zip(names, labels['en']):
            self.assertTrue(label.endswith(' ' + cli('--notation', name, '1/6').strip()), (name, label))
        self.driver.execute_script("var n = document.getElementById('notation');"
                                   "n.value = 'dots'; n.dispatchEvent(new Event('change'));")
        self.type('1/7')
        self.set_language('en')
        self.assertEqual(self.options(), [list(p) for p in zip(names, labels['en'])])
        # Relabelled, the choice is kept, and the answer is still in it.
        self.assertEqual(self.el('notation').get_attribute('value'), 'dots')
        self.assertEqual(self.answer(), cli('--notation', 'dots', '1/7').strip())
        self.set_language('ja')
        self.assertEqual(self.options(), [list(p) for p in zip(names, labels['ja'])])
        self.assertEqual(self.el('notation').get_attribute('value'), 'dots')

    def test_the_slider_follows_what_the_module_says_the_entry_takes(self):
        slider = self.el('period')
        rows = [  # entry, the slider's reach (None: off)
            ('0.1666', 4), ('1.50', 2), ('−０．５', 1), ('+.125', 3), ('12', None), ('0.1(6)', None),
            ('1/7', None), ('0.1666...', None), ('1e-3', None), ('0.' + '3' * 40, 40),
        ]
        for entry, reach in rows:
            with self.subTest(entry=entry):
                self.type(entry)
                if reach is None:
                    self.assertEqual(slider.get_attribute('disabled'), 'true')
                    self.assertEqual(self.el('period-value').text, '（普通の小数のときに使えます）')
                else:
                    self.assertIsNone(slider.get_attribute('disabled'))
                    self.assertEqual(slider.get_attribute('max'), str(reach))
        # With the slider at 2, an entry that takes no K is refused for itself,
        # not for a K it was never to have.
        for entry in ('0.1(', '0.1(6', '1/7'):
            with self.subTest(entry=entry):
                self.put('0.166')
                slider.send_keys(Keys.HOME, Keys.ARROW_RIGHT, Keys.ARROW_RIGHT)
                browser.wait_idle(self.driver)
                self.assertEqual(self.answer(), cli('--period', '2', '0.166').strip())
                # Put in at once, as an edit that leaves the slider where it
                # was: the page sends its K, and the worker keeps it out.
                self.put(entry)
                if entry == '1/7':
                    self.assertEqual(self.answer(), '0.(142857)')
                else:
                    self.assertEqual(self.el('answer').find_element(By.CLASS_NAME, 'refusal').text,
                                     cli_json(entry, language='ja')['error'])
                self.assertEqual(slider.get_attribute('disabled'), 'true')
        # A rounded display takes no K either, whatever the slider showed.
        self.type('0.1666')
        slider.send_keys(Keys.ARROW_RIGHT)
        browser.wait_idle(self.driver)
        self.el('rounded').click()
        browser.wait_idle(self.driver)
        self.assertEqual(slider.get_attribute('disabled'), 'true')
        self.assertEqual(self.answer(), cli('--rounded', '0.1666').strip())

    def test_the_rounded_option_says_when_it_applies(self):
        note = self.el('rounded-note')
        for entry, applies in (('0.333', True), ('1/3', False), ('0.1(6)', False), ('1.5e3', False),
                               ('3.14159', True)):
            with self.subTest(entry=entry):
                self.type(entry)
                self.assertEqual(note.is_displayed(), not applies)
        self.type('')
        self.assertFalse(note.is_displayed())

    def test_no_request_leaves_the_folder(self):
        self.type('1/7')
        names = self.driver.execute_script(
            "return performance.getEntriesByType('resource').map(function (e) { return e.name; })")
        for name in names:
            self.assertTrue(name.startswith(self.url) or name.startswith('blob:') or name.startswith('data:'),
                            name)
        for path in self.requested:
            self.assertTrue(path.startswith('/') and '..' not in path, path)
        self.assertFalse(any('favicon' in p for p in self.requested) and False)

    def make_sheet(self, seed, count, explain=False):
        d = self.driver
        d.execute_script("document.getElementById('sheet-seed').value = arguments[0];"
                         "document.getElementById('sheet-count').value = arguments[1];"
                         "document.getElementById('sheet-explain').checked = arguments[2];"
                         "document.getElementById('sheet-make').click();", str(seed), str(count),
                         explain)
        WebDriverWait(d, 30).until(lambda d: d.execute_script(
            "var s = window.quotalisSheet.shown(); return s && s.seed === arguments[0] &&"
            " s.exercises.length === arguments[1];", seed, count))
        return d.execute_script("return window.quotalisSheet.shown();")

    def test_the_sheet_panel_makes_the_command_lines_sheet(self):
        """The プリント panel: the same exercises and LaTeX as --sheet, previewed
        whole, and printed alone with the answer key from a new page."""
        import shutil
        d = self.driver
        for language in ('ja', 'en'):
            self.set_language(language)
            shown = self.make_sheet(7, 30)
            want = json.loads(cli('--sheet', '--json', '--seed', '7', '--count', '30',
                                  language=language))
            self.assertEqual({'seed': shown['seed'], 'exercises': shown['exercises']}, want)
            self.assertEqual(shown['latex'], cli('--sheet', '--seed', '7', '--count', '30',
                                                 language=language))
            questions = d.find_elements(By.CSS_SELECTOR, '#sheet-preview .sheet-question')
            answers = d.find_elements(By.CSS_SELECTOR, '#sheet-preview .sheet-answer')
            self.assertEqual(len(questions), 30)
            self.assertEqual(len(answers), 30)
        shown = self.make_sheet(8, 12, explain=True)
        self.assertEqual(shown['latex'], cli('--sheet', '--seed', '8', '--count', '12', '--explain',
                                             language='en'))
        self.set_language('ja')
        if ENGINE != 'chromium' or not shutil.which('pdftotext'):
            return
        shown = self.make_sheet(7, 30)
        d.execute_script("document.body.classList.add('printing-sheet');")
        try:
            pdf = printed_pdf(d)
        finally:
            d.execute_script("document.body.classList.remove('printing-sheet');")
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, 'sheet.pdf')
            pathlib.Path(path).write_bytes(pdf)
            text = subprocess.run(['pdftotext', '-layout', path, '-'], capture_output=True,
                                  text=True).stdout
        pages = text.split('\f')
        key = next(i for i, page in enumerate(pages) if '解答' in page)
        self.assertGreater(key, 0)
        self.assertTrue(pages[key].strip().startswith('解答'), pages[key][:200])
        # No control on paper, and every exercise before the key, every answer in it.
        for word in ('プリントを作る', 'LaTeX をダウンロード', '問題の種類'):
            self.assertNotIn(word, text)
        before, after = '\n'.join(pages[:key]), '\n'.join(pages[key:])
        for e in shown['exercises']:
            self.assertIn('(%d)' % e['number'], before)
            self.assertIn('(%d)' % e['number'], after)
            if '/' not in e['answer'] and '(' not in e['answer']:
                self.assertIn(e['answer'], after)

    # ---- 進数 and コンピュータの中の値

    def choose(self, id_, value):
        self.driver.execute_script("var s = document.getElementById(arguments[0]);"
                                   "s.value = arguments[1]; s.dispatchEvent(new Event('change'));",
                                   id_, value)
        browser.wait_idle(self.driver)

    def choose_bases(self, base, to_base):
        self.choose('base', str(base))
        self.choose('to-base', '' if to_base is None else str(to_base))

    def test_the_base_choice_gives_the_command_lines_answer(self):
        self.addCleanup(self.choose, 'stored-format', '')
        self.addCleanup(self.choose_bases, 10, None)
        # (The notations' list may still be on its way when the first test starts.)
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script("return document.getElementById('notation').options.length > 1"))
        self.choose('notation', 'parentheses')
        # Entry, entry's base, answer's base, the answer written out from the
        # test's own arithmetic, its subscript (None for a fraction), the
        # command line's options.
        rows = [
            ('0.1', 10, 2, '0.0(0011)', '2', ['--to-base', '2']),
            ('0.0(0011)', 2, None, '1/10', None, ['--base', '2']),
            ('0.0(0011)₂', 10, None, '1/10', None, []),
            ('0.0(0011)_2', 10, None, '1/10', None, []),
            ('1/5', 2, None, '0.(0011)', '2', ['--base', '2']),
            ('0.1(6)', 10, 16, '0.2(a)', '16', ['--to-base', '16']),
            ('0.(9)', 10, 3, '1', '3', ['--to-base', '3']),
            ('z.i', 36, None, '71/2', None, ['--base', '36']),
        ]
        # The expected answers, by the test's own arithmetic.
        self.assertEqual(Fraction(int('0011', 2), 2 * (2 ** 4 - 1)), Fraction(1, 10))
        self.assertEqual(Fraction(1, 5), Fraction(int('0011', 2), 2 ** 4 - 1))
        self.assertEqual(Fraction(1, 6), Fraction(2, 16) + Fraction(10, 16 * 15))
        self.assertEqual(Fraction(35) + Fraction(18, 36), Fraction(71, 2))
        for explain in (True, False):
            if self.el('explain').is_selected() != explain:
                self.el('explain').click()
            for entry, base, to_base, expected, subscript, options in rows:
                with self.subTest(entry=entry, base=base, to_base=to_base, explain=explain):
                    self.choose_bases(base, to_base)
                    self.put(entry)
                    self.assertEqual(self.answer(), expected)
                    self.assertEqual(expected, cli(*options, '--', entry).strip())
                    shown = self.driver.find_elements(By.ID, 'answer-base')
                    self.assertEqual(shown[0].text if shown else None, subscript)
                    # The base goes into the address, and a link brings it back.
                    fragment = self.driver.execute_script('return location.hash')
                    self.assertEqual('base=%d' % base in fragment, base != 10)
                    self.assertEqual('to=%s' % to_base in fragment, to_base is not None)
        self.el('explain').click()
        # A link with the bases opens the page on them.
        self.choose_bases(10, None)
        self.driver.execute_script("location.hash = '#q=1/5&base=2'")
        browser.wait_idle(self.driver)
        WebDriverWait(self.driver, 5).until(lambda d: self.el('base').get_attribute('value') == '2')
        browser.wait_idle(self.driver)
        self.assertEqual(self.answer(), '0.(0011)')
        # A subscript that disagrees with the base chosen is the command line's refusal.
        self.set_language('en')
        self.put('0.1_3')
        self.assertEqual(self.el('answer').find_element(By.CSS_SELECTOR, '.refusal').text,
                         cli_json('0.1_3', '--base', '2')['error'])

    def stored_fields(self):
        return {e.get_attribute('data-stored'): e for e in
                self.el('stored').find_elements(By.CSS_SELECTOR, 'dd[data-stored]')}

    def math_text(self, e):
        return e.find_element(By.TAG_NAME, 'math').get_attribute('alttext')

    def test_the_stored_view_equals_the_command_lines_double_and_float(self):
        self.addCleanup(self.choose, 'stored-format', '')
        self.assertTrue(self.el('stored').get_attribute('hidden'))
        # Entry, format, the command line's option, the machine's own conversion.
        rows = [('0.1', 'binary64', '--double', lambda x: struct.pack('>d', x)),
                ('0.1', 'binary32', '--float', lambda x: struct.pack('>f', x)),
                ('-2.5e-3', 'binary64', '--double', lambda x: struct.pack('>d', x)),
                ('1/3', 'binary64', '--double', lambda x: struct.pack('>d', x)),
                ('5e-324', 'binary64', '--double', lambda x: struct.pack('>d', x)),
                ('0.5', 'binary32', '--float', lambda x: struct.pack('>f', x))]
        # (struct packs a float from the double nearest the entry: none of these
        # two entries for binary32 rounds otherwise from the double.)
        for entry, name, option, pack in rows:
            with self.subTest(entry=entry, format=name):
                self.choose('stored-format', name)
                self.put(entry)
                expected = cli_json(entry, option)
                fields = self.stored_fields()
                self.assertEqual(self.math_text(fields['stored']), expected['stored'])
                self.assertEqual(fields['storedDecimal'].text, expected['storedDecimal'])
                self.assertEqual(self.math_text(fields['storedBinary']), expected['storedBinary'] + ' (base 2)')
                self.assertEqual(fields['hex'].text, expected['bits'])
                # Against the machine's own strtod/strtof and Python's fractions.
                value = Fraction(entry)
                raw = pack(float(value))
                self.assertEqual(int(expected['bits'], 16), int.from_bytes(raw, 'big'))
                bits = ''.join(e.text for e in fields['bits'].find_elements(By.CSS_SELECTOR, '.bit-digits'))
                self.assertEqual(bits, format(int.from_bytes(raw, 'big'), '0%db' % (8 * len(raw))))
                self.assertEqual(expected['class'] == 'subnormal', '非正規化数' in self.el('stored').text)
                stored = Fraction(struct.unpack('>d' if len(raw) == 8 else '>f', raw)[0])
                self.assertEqual(Fraction(expected['stored']), stored)
                if stored == value:
                    self.assertEqual(fields['error'].text, '誤差はありません。この数はそのまま保存されます。')
                else:
                    self.assertEqual(self.math_text(fields['error']), expected['storedError'])
                    self.assertEqual(Fraction(expected['storedError']), stored - value)
                    self.assertIn(expected['storedErrorDecimal'], fields['error'].text)
        # 0.1's error, written out.
        self.choose('stored-format', 'binary64')
        self.put('0.1')
        self.assertEqual(self.math_text(self.stored_fields()['error']), '1/180143985094819840')
        self.assertEqual(self.stored_fields()['hex'].text, '0x3FB999999999999A')
        # Past the largest double: infinity, said so.
        self.put('-1e400')
        self.assertIn('無限大（−∞）', self.el('stored').text)
        self.assertEqual(self.stored_fields()['hex'].text, cli_json('-1e400', '--double')['bits'])
        self.assertEqual(self.stored_fields()['hex'].text, '0xFFF0000000000000')
        # The format goes into the address; the view is worded in English.
        self.assertIn('stored=binary64', self.driver.execute_script('return location.hash'))
        self.set_language('en')
        self.assertEqual(self.el('stored-heading').text, 'Stored in a computer')
        self.assertIn('infinity (−∞)', self.el('stored').text)
        # A refusal of the entry is the command line's.
        self.put('0.1.2')
        self.assertIn(cli_json('0.1.2', '--double')['error'], self.el('stored').text)
        self.choose('stored-format', '')
        self.assertTrue(self.el('stored').get_attribute('hidden'))

    def test_shared_table_equals_the_command_line(self):
        """Every line of the shared table, in English and Japanese, answered
        by the page's own worker code and module, equals the native --json
        (and, with --explain, the native working as text and as LaTeX)."""
        rows = shared_rows()
        answers = self.driver.execute_async_script("""
            var requests = arguments[0], done = arguments[1], answers = [];
            var url = URL.createObjectURL(new Blob([quotalisWorkerSource()], {type: 'text/javascript'}));
            var w = new Worker(url);
            w.onmessage = function (e) {
              if (e.data.type !== 'answer') return;
              answers[e.data.id - 1] = e.data.response === null ? 'threw ' + e.data.failure : e.data.response;
              if (answers.filter(String).length === requests.length) { w.terminate(); done(answers); }
            };
            requests.forEach(function (r, i) { w.postMessage({id: i + 1, request: r}); });
            """, [row['request'] for row in rows])
        self.assertEqual(len(answers), len(rows))
        for row, answer in zip(rows, answers):
            with self.subTest(line=row['line'], language=row['request']['language']):
                got = json.loads(answer)
                text, latex = got.pop('workingText', None), got.pop('workingLatex', None)
                mathml = got.pop('workingMathml', None)
                self.assertEqual(got, row['expected'])
                if 'text' in row:
                    self.assertEqual(text, row['text'])
                    self.assertEqual(latex, marked_as(row['latex'], row['request']['notation']))
                    self.assertIn('<math', mathml)


def marked_as(latex, notation):
    """The command line's LaTeX working (--notation latex marks a period as
    the reader's language does) with its periods marked as a notation chosen
    marks them in every format: dots over the first and the last digit, or
    a line over them all."""
    def dotted(p):
        return f'\\dot{{{p}}}' if len(p) == 1 else f'\\dot{{{p[0]}}}{p[1:-1]}\\dot{{{p[-1]}}}'
    if notation == 'dots':
        return re.sub(r'\\overline\{([0-9]+)\}', lambda m: dotted(m.group(1)), latex)
    if notation == 'overline':
        return re.sub(r'\\dot\{([0-9])\}(?:([0-9]*)\\dot\{([0-9])\})?',
                      lambda m: '\\overline{%s}' % (m.group(1) + (m.group(2) + m.group(3) if m.group(3) else '')),
                      latex)
    return latex


# What the working's boxes measure, as the page draws them: for each aligned
# row, the horizontal extent of each cell's tokens; the sentences' right
# edges against the working's; each dot against its digit; the long
# division's bracket cells, left to right.
MEASURE = """
var working = document.getElementById('working'), box = working.getBoundingClientRect();
var style = getComputedStyle(working);
var inner = [box.left + parseFloat(style.borderLeftWidth) + parseFloat(style.paddingLeft),
             box.right - parseFloat(style.borderRightWidth) - parseFloat(style.paddingRight)];
function extent(e) {
  var left = Infinity, right = -Infinity;
  e.querySelectorAll('mi, mn, mo, mtext').forEach(function (t) {
    var r = t.getBoundingClientRect();
    if (r.width > 0) { left = Math.min(left, r.left); right = Math.max(right, r.right); }
  });
  return left === Infinity ? null : [left, right];
}
function rect(e) { var r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; }
return {
  inner: inner,
  rows: Array.from(working.querySelectorAll('.quotalis-equations mtr')).map(function (tr) {
    return Array.from(tr.children).map(extent).filter(Boolean);
  }),
  sentences: Array.from(working.querySelectorAll('p.quotalis-sentence > [aria-hidden]')).map(function (s) {
    var range = document.createRange();
    range.selectNodeContents(s);
    return [s.textContent, range.getBoundingClientRect().left, range.getBoundingClientRect().right];
  }),
  dots: Array.from(working.querySelectorAll('mover')).filter(function (m) {
    return m.lastElementChild.textContent === '.';
  }).map(function (m) {
    // Across, the dot's glyph, not its operator's box with the room around it;
    // up and down, the operator's box, which is its ink.
    var glyph = document.createRange();
    glyph.selectNodeContents(m.lastElementChild);
    var g = glyph.getBoundingClientRect();
    var box = rect(m.lastElementChild);
    return [rect(m.firstElementChild), [g.left, box[1], g.right, box[3]],
            parseFloat(getComputedStyle(m.firstElementChild).fontSize)];
  }),
  bracket: Array.from(working.querySelectorAll('.quotalis-bracket')).map(rect),
};
"""


class Layout(unittest.TestCase):
    """The working's layout at 768 px, the width of a tablet held upright:
    what WebKit drew apart from Chromium."""

    ENTRIES = ['2.3(45)', '0.1(6)', '1/7', '5/12', '-1.2(3)e-5', '22/7', '3 1/4', '0.' + '3' * 12]

    @classmethod
    def setUpClass(cls):
        cls.server = browser.served(PAGE)
        cls.url, _ = cls.server.__enter__()
        cls.driver = browser.open_browser(ENGINE, 'ja', 768, 1024)
        cls.driver.get(cls.url + 'index.html')
        browser.wait_idle(cls.driver)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.__exit__(None, None, None)

    def measure(self, entry, language='ja', notation='dots'):
        d = self.driver
        d.execute_script("var s = document.getElementById('language'); s.value = arguments[0];"
                         "s.dispatchEvent(new Event('change'));"
                         "var n = document.getElementById('notation'); n.value = arguments[1];"
                         "n.dispatchEvent(new Event('change'));"
                         "var e = document.getElementById('entry'); e.value = arguments[2];"
                         "e.dispatchEvent(new Event('input'));", language, notation, entry)
        browser.wait_idle(d)
        return d.execute_script(MEASURE)

    def test_aligned_cells_keep_apart_and_sentences_fit(self):
        for language in ('ja', 'en'):
            for entry in self.ENTRIES:
                with self.subTest(entry=entry, language=language):
                    m = self.measure(entry, language)
                    self.assertTrue(m['sentences'])
                    for row in m['rows']:
                        for left, right in zip(row, row[1:]):
                            self.assertLessEqual(left[1], right[0] + 0.5, row)
                    left, right = m['inner']
                    for text, start, end in m['sentences']:
                        self.assertGreaterEqual(start, left - 0.5, text)
                        self.assertLessEqual(end, right + 0.5, text)

    def test_recurring_dots_sit_on_their_digits(self):
        for entry in ('2.3(45)', '1/7', '5/12', '0.(9)'):
            with self.subTest(entry=entry):
                m = self.measure(entry)
                self.assertTrue(m['dots'])
                for digit, dot, size in m['dots']:
                    self.assertGreaterEqual(dot[0], digit[0] - 0.5, (digit, dot))
                    self.assertLessEqual(dot[2], digit[2] + 0.5, (digit, dot))
                    # Just over the digit, not a line above it.
                    self.assertLessEqual(dot[3], digit[1] + 0.5, (digit, dot))
                    self.assertGreater(dot[1], digit[1] - 0.5 * size, (digit, dot))

    def test_the_long_divisions_bracket_is_whole(self):
        for entry in ('1/7', '5/12', '22/7'):
            with self.subTest(entry=entry):
                cells = self.measure(entry)['bracket']
                self.assertGreater(len(cells), 1)
                for before, after in zip(cells, cells[1:]):
                    self.assertAlmostEqual(before[2], after[0], delta=0.5)
                    self.assertAlmostEqual(before[1], after[1], delta=0.5)


class Printed(unittest.TestCase):
    """Chromium's print of the page on A4, as its print button gives it with
    the browser's default settings (no backgrounds)."""

    @classmethod
    def setUpClass(cls):
        cls.server = browser.served(PAGE)
        cls.url, _ = cls.server.__enter__()
        cls.driver = browser.chromium('ja', 1280, 800)
        cls.driver.get(cls.url + 'index.html')
        browser.wait_idle(cls.driver)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.__exit__(None, None, None)

    def pdf(self, entry, folder, name, style=''):
        d = self.driver
        d.execute_script("var e = document.getElementById('entry'); e.value = arguments[0];"
                         "e.dispatchEvent(new Event('input'));"
                         "var s = document.getElementById('test-style') || document.createElement('style');"
                         "s.id = 'test-style'; s.textContent = arguments[1]; document.head.appendChild(s);",
                         entry, style)
        browser.wait_idle(d)
        path = pathlib.Path(folder) / name
        path.write_bytes(printed_pdf(d))
        return path

    def test_a_worksheet_on_at_most_two_a4_pages_its_marks_printed(self):
        d = self.driver
        d.execute_cdp_cmd('Emulation.setEmulatedMedia', {'media': 'print'})
        try:
            hidden = d.execute_script(
                "return ['keypad', 'language', 'period', 'print', 'copy-text', 'notation'].map(function (id) {"
                "  return [id, document.getElementById(id).getBoundingClientRect().height]; })")
        finally:
            d.execute_cdp_cmd('Emulation.setEmulatedMedia', {'media': ''})
        self.assertEqual([h for _, h in hidden], [0] * len(hidden), hidden)
        with tempfile.TemporaryDirectory() as folder:
            marked = self.pdf('2.3(45)', folder, 'marked.pdf')
            info = subprocess.run(['pdfinfo', marked], capture_output=True, text=True, check=True).stdout
            self.assertLessEqual(int(re.search(r'Pages:\s+(\d+)', info).group(1)), 2)
            self.assertRegex(info, r'Page size:\s+59[45]\.\d+ x 841\.\d+ pts \(A4\)')
            text = subprocess.run(['pdftotext', marked, '-'], capture_output=True, text=True).stdout
            self.assertIn('129', text)
            self.assertIn('2322', text)
            for control in ('答え方', '小数の書き方', '印刷', 'コピー'):  # no options, no buttons
                self.assertNotIn(control, text)
            # The struck factors' strokes, in their ink, are on paper; without
            # the strike the page has none of that ink.
            plain = self.pdf('2.3(45)', folder, 'plain.pdf',
                             '.quotalis-cancel :is(mn, mi) { text-decoration: none !important; }')
            self.assertGreater(ink_pixels(marked, (155, 16, 16)), 30)
            self.assertLess(ink_pixels(plain, (155, 16, 16)), 5)
            # The remainder that comes again, in a long division, likewise.
            repeat = self.pdf('1/7', folder, 'repeat.pdf')
            self.assertGreater(ink_pixels(repeat, (184, 134, 11)), 30)


def printed_pdf(driver):
    """The page printed by Chromium on A4 with its default settings."""
    import base64
    return base64.b64decode(driver.execute_cdp_cmd('Page.printToPDF', {
        'paperWidth': 8.27, 'paperHeight': 11.69, 'printBackground': False,
        'preferCSSPageSize': True})['data'])


def ink_pixels(pdf, colour, tolerance=40):
    """How many pixels of the PDF's pages, drawn at 100 dpi by pdftoppm, are
    near `colour`."""
    raw = subprocess.run(['pdftoppm', '-r', '100', str(pdf)], capture_output=True, check=True).stdout
    count = 0
    while raw:
        # Each page a binary PPM: P6, width, height, 255, then the pixels.
        header = raw.split(maxsplit=4)
        width, height = int(header[1]), int(header[2])
        pixels = header[4][:width * height * 3]
        raw = header[4][width * height * 3:]
        for i in range(0, len(pixels), 3):
            if all(abs(pixels[i + k] - colour[k]) <= tolerance for k in range(3)):
                count += 1
    return count


def without_notation(options):
    kept, skip = [], False
    for option in options:
        if not skip and option != '--notation':
            kept.append(option)
        skip = option == '--notation' and not skip
    return kept


def shared_rows():
    """The shared table's lines (web/tests/shared-entries.txt: options, then
    the entry as it stands or as a JSON string) as the page's requests in
    both languages, each with the command line's answers for it."""
    rows = []
    for line in SHARED_TABLE.read_text(encoding='utf-8').splitlines():
        if not line.strip() or line.startswith('#'):
            continue
        options, rest = [], line
        while True:
            m = re.match(r'(--[a-z-]+) ', rest)
            if not m:
                break
            options.append(m.group(1))
            rest = rest[m.end():]
            if m.group(1) in ('--notation', '--period', '--max-digits'):
                value = re.match(r'(\S+) ', rest)
                options.append(value.group(1))
                rest = rest[value.end():]
        entry = json.loads(rest) if rest.startswith('"') else rest
        for language in ('en', 'ja'):
            request = {'entry': entry, 'period': None, 'notation': None, 'mixed': '--mixed' in options,
                       'explain': '--explain' in options, 'rounded': '--rounded' in options,
                       'maxDigits': None, 'language': language}
            for name, value in zip(options, options[1:]):
                if name == '--notation':
                    request['notation'] = value
                elif name == '--period':
                    request['period'] = value
                elif name == '--max-digits':
                    request['maxDigits'] = value if value == 'all' else int(value)
            row = {'line': line, 'request': request,
                   'expected': json.loads(cli('--json', *options, '--', entry, language=language))}
            if request['explain'] and 'error' not in row['expected']:
                plain = without_notation(options)
                row['text'] = cli(*(plain if request['notation'] == 'latex' else options), '--', entry,
                                  language=language).rstrip('\n')
                row['latex'] = cli(*plain, '--notation', 'latex', '--', entry, language=language).rstrip('\n')
            rows.append(row)
    return rows


# Each block of the working as it is heard: a formula's alternative text, a
# sentence's spoken text.
SPOKEN_BLOCKS = """
return Array.from(document.querySelectorAll('#working > math, #working > p.quotalis-sentence')).map(function (b) {
  if (b.localName === 'p') return b.querySelector('.offscreen').textContent;
  return b.getAttribute('alttext') || '';
});"""


class ReadAloud(unittest.TestCase):
    """The 読み上げ button, with a speech synthesis of the test's own that has
    a Japanese voice only and records what it is told to say."""

    FAKE = """
    window.quotalisSaid = [];
    var fake = {
      getVoices: function () { return [{lang: 'ja-JP', name: 'test'}]; },
      speak: function (u) {
        window.quotalisSaid.push({text: u.text, lang: u.lang,
          marked: Array.from(document.querySelectorAll('#working .quotalis-reading'))
                       .map(function (m) {
                         var o = m.querySelector(':scope > .offscreen');
                         return o ? o.textContent : m.getAttribute('alttext');
                       })});
        setTimeout(function () { if (u.onend) u.onend(); }, 0);
      },
      cancel: function () {},
      addEventListener: function () {}
    };
    Object.defineProperty(window, 'speechSynthesis', {value: fake, configurable: true});
    window.SpeechSynthesisUtterance = function (text) { this.text = text; };
    """

    def test_reads_each_block_highlighted_in_the_pages_language(self):
        with browser.served(PAGE) as (url, _):
            driver = browser.chromium('ja')
            try:
                driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': self.FAKE})
                driver.get(url + 'index.html')
                browser.wait_idle(driver)
                button = driver.find_element(By.ID, 'read-aloud')
                self.assertFalse(button.is_displayed())  # no working yet
                if not driver.find_element(By.ID, 'explain').is_selected():
                    driver.find_element(By.ID, 'explain').click()
                driver.find_element(By.ID, 'entry').send_keys('0.1(6)')
                browser.wait_idle(driver)
                self.assertTrue(button.is_displayed())
                self.assertEqual(button.text, '読み上げ')
                blocks = driver.execute_script(SPOKEN_BLOCKS)
                button.click()
                WebDriverWait(driver, 10).until(
                    lambda d: len(d.execute_script('return window.quotalisSaid')) == len(blocks))
                said = driver.execute_script('return window.quotalisSaid')
                self.assertEqual([s['text'] for s in said], blocks)
                for s in said:
                    self.assertEqual(s['lang'], 'ja-JP')
                    self.assertEqual(s['marked'], [s['text']])  # the block read, and it alone
                    self.assertNotRegex(s['text'], r'[()^/\u0307]')
                self.assertIn('6分の1', said[-1]['text'])
                self.assertIn('くり返す', said[0]['text'])
                WebDriverWait(driver, 5).until(lambda d: not d.find_elements(
                    By.CSS_SELECTOR, '#working .quotalis-reading'))
                # The answer's spoken alternative is the closing line.
                self.assertEqual(driver.find_element(By.ID, 'answer').get_attribute('aria-label'),
                                 said[-1]['text'])
                # No English voice: the button goes.
                driver.execute_script("var s = document.getElementById('language');"
                                      "s.value = 'en'; s.dispatchEvent(new Event('change'));")
                browser.wait_idle(driver)
                self.assertFalse(button.is_displayed())
            finally:
                driver.quit()


class FromDisk(unittest.TestCase):
    """The page opened straight from disk, in a browser that prefers English."""

    def test_converts_from_disk_in_english(self):
        driver = browser.open_browser(ENGINE, 'en-US')
        try:
            driver.get(pathlib.Path(PAGE, 'index.html').resolve().as_uri())
            browser.wait_idle(driver)
            self.assertEqual(driver.execute_script('return document.documentElement.lang'), 'en')
            entry = driver.find_element(By.ID, 'entry')
            entry.send_keys('0.1')
            # "(" and ")" put in as typed (Page.type says why WebKit needs it).
            driver.execute_script("var e = arguments[0]; e.value += '(6)';"
                                  "e.dispatchEvent(new Event('input'));", entry)
            browser.wait_idle(driver)
            self.assertEqual(driver.find_element(By.ID, 'answer-value').text, '1/6')
            names = driver.execute_script(
                "return performance.getEntriesByType('resource').map(function (e) { return e.name; })")
            folder = pathlib.Path(PAGE).resolve().as_uri() + '/'
            for name in names:
                self.assertTrue(name.startswith(folder) or name.startswith('blob:'), name)
            # The copy falls back to the hidden text when the clipboard is refused.
            driver.find_element(By.ID, 'copy-text').click()
            WebDriverWait(driver, 5).until(lambda d: d.find_element(By.ID, 'copy-status').text)
            self.assertEqual(driver.find_element(By.ID, 'copy-status').text, 'Copied.')
            self.assertEqual(driver.find_element(By.ID, 'clipboard-text').get_attribute('value'),
                             cli('--explain', '0.1(6)').rstrip('\n'))
        finally:
            driver.quit()


if __name__ == '__main__':
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    if sys.argv[1] == '--engine':
        ENGINE = sys.argv[2]
        del sys.argv[1:3]
        if ENGINE not in browser.ENGINES:
            sys.exit(f'no engine {ENGINE}: one of {", ".join(browser.ENGINES)}')
    PAGE, CLI = sys.argv[1], os.path.abspath(sys.argv[2])
    del sys.argv[1:3]
    if ENGINE != 'chromium':
        del Printed  # printed by Chromium alone
    unittest.main(verbosity=2)
