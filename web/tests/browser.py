"""Headless Chromium (Debian's chromium and chromium-driver, through
python3-selenium) and a static server for the page, shared by the page's
tests, its screenshots and its benchmark."""
import contextlib
import functools
import http.server
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def chromium(language='ja', width=1280, height=800):
    """A headless Chromium whose browser prefers `language`."""
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                 f'--lang={language}', f'--window-size={width},{height}',
                 '--hide-scrollbars', '--font-render-hinting=none'):
        options.add_argument(flag)
    options.add_experimental_option('prefs', {'intl.accept_languages': language})
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL', 'performance': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    # The window's inner size, not its outer one, is what a phone has.
    for _ in range(2):
        inner = driver.execute_script('return [innerWidth, innerHeight]')
        outer = driver.get_window_size()
        driver.set_window_size(outer['width'] + width - inner[0], outer['height'] + height - inner[1])
    return driver


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    requested = None

    def log_message(self, *args):
        pass

    def do_GET(self):
        self.requested.append(self.path)
        super().do_GET()


@contextlib.contextmanager
def served(folder):
    """Serves `folder` on 127.0.0.1 (a free port); yields (base URL, the list
    of paths requested)."""
    requested = []
    handler = functools.partial(type('Handler', (_QuietHandler,), {'requested': requested}),
                                directory=str(folder))
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f'http://127.0.0.1:{server.server_address[1]}/', requested
    finally:
        server.shutdown()
        server.server_close()


def wait_idle(driver, timeout=30):
    """Waits until the page has answered what it was last asked."""
    from selenium.webdriver.support.ui import WebDriverWait
    WebDriverWait(driver, timeout, poll_frequency=0.02).until(
        lambda d: d.find_element('id', 'answer').get_attribute('aria-busy') != 'true')
