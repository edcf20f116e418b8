#!/usr/bin/python3
"""The page's screenshots in doc/, in Japanese:
  web-phone.png (390 x 844) and web-desktop.png (1280 x 800) in Chromium,
    0.1666 typed on the keypad with its last digit marked as recurring;
  web-chromium.png, web-webkit.png and web-firefox.png (1024 x 1000), the
    working of 2.3(45) in each engine (Firefox ESR's, firefox-esr
    --headless --screenshot, of the page as Chromium built it, without its
    scripts);
  print-2.3-45.png, the first A4 page of Chromium's print of that working
    with the browser's default settings.

    web/screenshots.py [PAGE_FOLDER]     (default build/web, ./build.sh web)"""
import base64
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent / 'tests'))
import browser  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parent.parent
DOC = ROOT / 'doc'
WORKED = '2.3(45)'


def shoot(page, url, name, width, height):
    driver = browser.chromium('ja', width, height)
    try:
        driver.get(url)
        browser.wait_idle(driver)
        for key in ('0', '.', '1', '6', '6', '6'):
            driver.find_element(By.CSS_SELECTOR, f'#keypad [data-key="{key}"]').click()
        driver.find_element(By.ID, 'period').send_keys(Keys.ARROW_RIGHT)
        browser.wait_idle(driver)
        driver.execute_script('document.activeElement.blur(); window.scrollTo(0, 0)')
        driver.save_screenshot(str(DOC / name))
    finally:
        driver.quit()


def show_worked(driver, url):
    driver.get(url)
    browser.wait_idle(driver)
    driver.execute_script("var e = document.getElementById('entry'); e.value = arguments[0];"
                          "e.dispatchEvent(new Event('input'));", WORKED)
    browser.wait_idle(driver)
    driver.execute_script('document.activeElement.blur(); window.scrollTo(0, 0)')


def working_in(engine, url):
    driver = browser.open_browser(engine, 'ja', 1024, 1000)
    try:
        show_worked(driver, url)
        if engine == 'webkit' and browser.x_framebuffer():
            # A screenshot through WebKit's driver now and then never
            # returns: the window is taken from the screen instead.
            time.sleep(1)
            window = driver.get_window_rect()
            inner = driver.execute_script('return [innerWidth, innerHeight]')
            left = window['x'] + window['width'] - inner[0]
            top = window['y'] + window['height'] - inner[1]
            write_png(DOC / f'web-{engine}.png', *xwd_area(browser.x_framebuffer(), left, top, *inner))
        else:
            driver.save_screenshot(str(DOC / f'web-{engine}.png'))
    finally:
        driver.quit()


def xwd_area(path, left, top, width, height):
    """An area of an X window dump of 24-bit colour in 32-bit pixels: its
    width, height and rows of RGB."""
    data = pathlib.Path(path).read_bytes()
    fields = struct.unpack('>25I', data[:100])
    header, byte_order, bits, line = fields[0], fields[7], fields[11], fields[12]
    ncolours, screen_width, screen_height = fields[19], fields[4], fields[5]
    if bits != 32:
        raise RuntimeError(f'{bits}-bit pixels')
    pixels = data[header + 12 * ncolours:]
    width, height = min(width, screen_width - left), min(height, screen_height - top)
    rows = []
    for y in range(top, top + height):
        row = pixels[y * line + 4 * left:y * line + 4 * (left + width)]
        out = bytearray()
        for x in range(0, len(row), 4):
            b, g, r = (row[x], row[x + 1], row[x + 2]) if byte_order == 0 else (row[x + 3], row[x + 2],
                                                                                 row[x + 1])
            out += bytes((r, g, b))
        rows.append(bytes(out))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body
                + struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))
    raw = b''.join(b'\0' + row for row in rows)
    pathlib.Path(path).write_bytes(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2,
                                                                              0, 0, 0))
                                   + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def chromium_page_and_print(page, url, folder):
    """The page as Chromium drew it, saved without its scripts (for Firefox),
    and its print as a picture."""
    driver = browser.chromium('ja', 1024, 1000)
    try:
        show_worked(driver, url)
        html = driver.execute_script(
            "document.getElementById('entry').setAttribute('value', arguments[0]);"
            "return '<!DOCTYPE html>' + document.documentElement.outerHTML;", WORKED)
        pdf = base64.b64decode(driver.execute_cdp_cmd('Page.printToPDF', {
            'paperWidth': 8.27, 'paperHeight': 11.69, 'printBackground': False,
            'preferCSSPageSize': True})['data'])
    finally:
        driver.quit()
    static = folder / 'page'
    static.mkdir()
    shutil.copy(page / 'style.css', static)
    (static / 'index.html').write_text(re.sub(r'<script\b[^>]*>.*?</script>', '', html, flags=re.S),
                                       encoding='utf-8')
    (folder / 'print.pdf').write_bytes(pdf)
    subprocess.run(['pdftoppm', '-r', '60', '-f', '1', '-l', '1', '-png', '-singlefile',
                    str(folder / 'print.pdf'), str(DOC / 'print-2.3-45')], check=True)
    return static / 'index.html'


def firefox(static_page, folder):
    home = folder / 'firefox-home'
    home.mkdir()
    env = dict(os.environ, HOME=str(home), MOZ_HEADLESS='1', LANG='C.UTF-8')
    subprocess.run(['firefox-esr', '--headless', '--no-remote', '--profile', str(home),
                    '--window-size=1024,1000', '--screenshot', str(DOC / 'web-firefox.png'),
                    static_page.as_uri()], env=env, check=True, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / 'build' / 'web').resolve()
    with browser.served(page) as (url, _), tempfile.TemporaryDirectory() as folder:
        shoot(page, url + 'index.html', 'web-phone.png', 390, 844)
        shoot(page, url + 'index.html', 'web-desktop.png', 1280, 800)
        for engine in browser.ENGINES:
            # Each in a program of its own, tried again when it hangs: a
            # screenshot through WebKit's driver now and then never returns.
            for _ in range(3):
                try:
                    subprocess.run([sys.executable, __file__, '--working-in', engine, url + 'index.html'],
                                   check=True, timeout=90, stderr=subprocess.DEVNULL)
                    break
                except subprocess.TimeoutExpired:
                    print(f'{engine}: no screenshot in 90 s, once more', file=sys.stderr)
        firefox(chromium_page_and_print(page, url + 'index.html', pathlib.Path(folder)),
                pathlib.Path(folder))


if __name__ == '__main__':
    if sys.argv[1:2] == ['--working-in']:
        working_in(sys.argv[2], sys.argv[3])
    else:
        main()
