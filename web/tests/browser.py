"""Headless Chromium (Debian's chromium and chromium-driver) and WebKitGTK
(webkit2gtk-driver's WebKitWebDriver driving MiniBrowser, on an Xvfb display
of its own when there is none), through python3-selenium, and a static
server for the page, shared by the page's tests, its screenshots and its
benchmark."""
import atexit
import contextlib
import functools
import http.server
import os
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.remote.webdriver import WebDriver as RemoteWebDriver
from selenium.webdriver.webkitgtk.options import Options as WebKitOptions
from selenium.webdriver.webkitgtk.service import Service as WebKitService

ENGINES = ('chromium', 'webkit')
MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'


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
    _set_inner_size(driver, width, height)
    return driver


def _set_inner_size(driver, width, height):
    """The window's inner size, not its outer one, is what a phone has."""
    for _ in range(2):
        inner = driver.execute_script('return [innerWidth, innerHeight]')
        outer = driver.get_window_size()
        driver.set_window_size(outer['width'] + width - inner[0], outer['height'] + height - inner[1])


_display = None
_framebuffer = None


def x_framebuffer():
    """The screen of the Xvfb started here as an XWD file, None when the
    session's display is used."""
    return None if _framebuffer is None else os.path.join(_framebuffer.name, 'Xvfb_screen0')


def _x_display():
    """The X display to show WebKit's windows on: the session's, else an
    Xvfb started here once and stopped when the program ends."""
    global _display
    if os.environ.get('DISPLAY'):
        return os.environ['DISPLAY']
    if _display is None:
        global _framebuffer
        _framebuffer = tempfile.TemporaryDirectory(prefix='quotalis-xvfb-')
        atexit.register(_framebuffer.cleanup)
        read, write = os.pipe()
        xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write), '-screen', '0', '2000x1400x24',
                                 '-nolisten', 'tcp', '-fbdir', _framebuffer.name], pass_fds=(write,),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError('Xvfb did not start')
        atexit.register(xvfb.terminate)
        _display = ':' + number
    return _display


_locales = None


def _locale_folder(locale):
    """A folder (for LOCPATH) holding the C library's `locale`.UTF-8, made
    with localedef when the system has not generated it: WebKit takes its
    languages from the locale alone."""
    global _locales
    if _locales is None:
        _locales = tempfile.TemporaryDirectory(prefix='quotalis-locales-')
        atexit.register(_locales.cleanup)
    target = os.path.join(_locales.name, locale + '.UTF-8')
    if not os.path.isdir(target):
        subprocess.run(['localedef', '-i', locale, '-f', 'UTF-8', target], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return _locales.name


class _WebKit(RemoteWebDriver):
    """MiniBrowser driven by WebKitWebDriver, which is stopped with it."""

    def __init__(self, service, options):
        self.service = service
        service.start()
        try:
            super().__init__(command_executor=service.service_url, options=options)
        except Exception:
            service.stop()
            raise

    def quit(self):
        try:
            super().quit()
        finally:
            self.service.stop()


def webkit(language='ja', width=1280, height=800):
    """WebKitGTK's MiniBrowser, preferring `language`, on an X display
    (Xvfb when there is none)."""
    options = WebKitOptions()
    options.binary_location = MINIBROWSER
    options.add_argument('--automation')
    # The driver matches on these alone; Selenium's defaults name a platform
    # "ANY" that it refuses.
    for name in ('platform', 'version'):
        options._caps.pop(name, None)
    locale = {'ja': 'ja_JP', 'en': 'en_US'}.get(language, language.replace('-', '_'))
    env = {k: v for k, v in os.environ.items() if not k.startswith('LC_')}
    env.update(DISPLAY=_x_display(), LANGUAGE=locale, LANG=locale + '.UTF-8', LOCPATH=_locale_folder(locale),
               # No GPU here: drawn in software, as on a machine without one.
               WEBKIT_DISABLE_COMPOSITING_MODE='1', LIBGL_ALWAYS_SOFTWARE='1')
    service = WebKitService('/usr/bin/WebKitWebDriver', env=env)
    driver = _WebKit(service, options)
    _set_inner_size(driver, width, height)
    return driver


def open_browser(engine, language='ja', width=1280, height=800):
    """A browser of `engine` (one of ENGINES)."""
    return {'chromium': chromium, 'webkit': webkit}[engine](language, width, height)


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
