#!/usr/bin/python3
"""The page's screenshots in doc/: web-phone.png (390 x 844) and
web-desktop.png (1280 x 800), in Japanese, 0.1666 typed on the keypad with
its last digit marked as recurring, and the working shown.

    web/screenshots.py [PAGE_FOLDER]     (default build/web, ./build.sh web)"""
import pathlib
import sys

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent / 'tests'))
import browser  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parent.parent


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
        driver.save_screenshot(str(ROOT / 'doc' / name))
    finally:
        driver.quit()


def main():
    page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / 'build' / 'web')
    with browser.served(page) as (url, _):
        shoot(page, url + 'index.html', 'web-phone.png', 390, 844)
        shoot(page, url + 'index.html', 'web-desktop.png', 1280, 800)


if __name__ == '__main__':
    main()
