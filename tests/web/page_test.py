# SPDX-License-Identifier: MIT
"""The web page in a real browser: Debian's Chromium, headless, driven over
WebDriver with real mouse clicks and key events, read through the browser's
accessibility tree. It is held to the same scenario table as the desktop
window, and checked for what only a page can get wrong: its roles, the
clipboard, working offline, keeping nothing, the console, small screens.

Usage: page_test.py PAGE_FOLDER SCREENSHOT_FOLDER"""
import contextlib
import functools
import http.server
import os
import shutil
import socket
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

HERE = os.path.dirname(os.path.abspath(__file__))
SUPPORT = os.path.join(os.path.dirname(HERE), "support")
SCENARIOS = os.path.join(SUPPORT, "window_scenarios.txt")
sys.path.insert(0, SUPPORT)
from expect import expect, summary  # noqa: E402  (the Python tests' checks)


def scenarios():
    """(name, [(verb, control, text)]) from the table both views are held to."""
    found = []
    with open(SCENARIOS, encoding="utf-8") as table:
        for line in table.read().split("\n"):
            if not line or line.startswith("#"):
                continue
            columns = line.split("\t")
            if len(columns) == 1:
                found.append((line, []))
            else:
                verb, control, text = (columns + ["", ""])[:3]
                found[-1][1].append((verb, control, text.replace("\\n", "\n")))
    return found


class Server:
    """A folder on 127.0.0.1, counting the requests it answers."""

    def __init__(self, folder):
        self.requests = 0
        self.connections = set()
        server = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            protocol_version = "HTTP/1.1"  # one connection for all files, as web servers keep it
            disable_nagle_algorithm = True  # headers and body go out at once, not 40 ms apart

            def setup(self):
                super().setup()
                server.connections.add(self.connection)

            def log_message(self, *args):
                server.requests += 1

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                                     functools.partial(Handler, directory=folder))
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        """Gone: the connections that browsers keep open are closed too."""
        self.httpd.shutdown()
        self.httpd.server_close()
        for connection in list(self.connections):
            with contextlib.suppress(OSError):
                connection.shutdown(socket.SHUT_RDWR)


@contextlib.contextmanager
def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    # A machine without a network: Chromium's own connections stay off.
    for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--window-size=1024,768", "--lang=de"]:
        options.add_argument(flag)
    profile = tempfile.TemporaryDirectory()
    options.add_argument(f"--user-data-dir={profile.name}")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        yield driver
    finally:
        driver.quit()
        profile.cleanup()


def wait_for(condition, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        with contextlib.suppress(WebDriverException):
            if condition():
                return True
        time.sleep(0.02)
    return False


def open_page(driver, url):
    driver.get(url)
    if not wait_for(lambda: driver.find_element(By.ID, "A_Text").get_property("value") == "1,0000E+0"):
        sys.exit("FAIL: the page never showed its controls")


def control(driver, name):
    return driver.find_element(By.ID, name)


def shown_text(driver, name):
    found = control(driver, name)
    return found.get_property("textContent") if found.tag_name == "button" else found.get_property("value")


def choose(driver, item):
    """A menu item by mouse: its menu's title, then the item; Hilfe and
    Information are items of the menu bar itself."""
    titles = driver.find_elements(By.ID, f"menu-{item}")
    if titles:
        titles[0].click()
        return
    entry = control(driver, item)
    entry.find_element(By.XPATH, "../preceding-sibling::button").click()
    entry.click()


def type_into(driver, name, text, enter=True):
    field = control(driver, name)
    field.click()
    keys = ActionChains(driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).send_keys(text)
    if enter:
        keys = keys.send_keys(Keys.ENTER)
    keys.perform()


def client_width(driver):
    return control(driver, "client").size["width"]


def tab_from(driver, name, presses):
    """The controls that Tab visits from the named one, by name."""
    driver.execute_script("arguments[0].focus()", control(driver, name))
    visited = []
    for _ in range(presses):
        ActionChains(driver).send_keys(Keys.TAB).perform()
        visited.append(focused_id(driver))
    return " ".join(visited)


def font_of(element, with_size):
    """A control's font as the scenario table writes it: "serif 14.25 bold italic"."""
    families = element.value_of_css_property("font-family")
    points = float(element.value_of_css_property("font-size").removesuffix("px")) * 3 / 4
    words = ["sans" if families.endswith("sans-serif") else "serif"] + ([f"{points:g}"] if with_size else [])
    if int(element.value_of_css_property("font-weight")) >= 700:
        words.append("bold")
    if element.value_of_css_property("font-style") == "italic":
        words.append("italic")
    return " ".join(words)


def run_step(driver, scenario, verb, name, text):
    where = f"{scenario}: {verb} {name}"
    if verb == "menu":
        choose(driver, name)
    elif verb == "click":
        control(driver, name).click()
    elif verb == "type":
        type_into(driver, name, text)
    elif verb == "keys":
        control(driver, name).click()
        ActionChains(driver).send_keys(Keys.END).send_keys(text).perform()
    elif verb == "text":
        expect(where, shown_text(driver, name), text)
    elif verb == "starts":
        expect(where, shown_text(driver, name).startswith(text), True)
    elif verb == "name":
        expect(where, control(driver, name).accessible_name, text)
    elif verb in ("shown", "hidden"):
        expect(where, control(driver, name).is_displayed(), verb == "shown")
    elif verb in ("input", "readonly"):
        field = control(driver, name)
        expect(where, (field.is_enabled(), field.get_property("readOnly")), (True, verb == "readonly"))
    elif verb == "width":
        expect(where, client_width(driver), int(name))
    elif verb == "height":
        expect(where, control(driver, "client").size["height"], int(name))
    elif verb == "tab":
        expect(where, tab_from(driver, name, text.count(" ") + 1), text)
    elif verb == "font":
        expect(where, font_of(control(driver, name), with_size=text.split()[1][0].isdigit()), text)
    else:
        sys.exit(f"FAIL: no such step: {verb}")


def check_scenarios(driver, url):
    for name, steps in scenarios():
        open_page(driver, url)
        for verb, control_name, text in steps:
            run_step(driver, name, verb, control_name, text)


# The roles of the window's controls as a screen reader hears them on the
# desktop (AT-SPI), and the role a browser gives the same control.
WINDOW_ROLES = {
    "push button": ["A_Command", "B_Command", "C_Command", "Command1"],
    "text": ["A_Text", "B_Text", "C_Text", "A_Anzeige", "B_Anzeige", "C_Anzeige", "Text1", "Text2", "Text3",
             "Text4", "Text5", "Text6"],
}
BROWSER_ROLE = {"push button": "button", "text": "textbox"}


def check_roles(driver, url):
    """Every control, each shown: the wide window with the help."""
    open_page(driver, url)
    choose(driver, "AnzahlZeit")
    choose(driver, "Hilfe")
    for role, names in WINDOW_ROLES.items():
        for name in names:
            expect(f"role of {name}", control(driver, name).aria_role, BROWSER_ROLE[role])
    expect("language", driver.find_element(By.TAG_NAME, "html").get_attribute("lang"), "de")
    expect("title", driver.title, "Kalvotron")
    expect("menu bar", driver.find_element(By.ID, "menubar").aria_role, "menubar")
    titles = driver.find_elements(By.CSS_SELECTOR, "#menubar > div > button")
    expect("menu titles", [title.accessible_name for title in titles], ["Formeln", "Log/Exp", "Hilfe", "Information"])
    expect("menu title role", {title.aria_role for title in titles}, {"menuitem"})
    expect("Log/Exp's items", len(driver.find_elements(By.CSS_SELECTOR, "#logexp > button")), 14)


def focused_id(driver):
    return driver.switch_to.active_element.get_attribute("id")


def check_keyboard(driver, url):
    open_page(driver, url)
    control(driver, "A_Text").click()
    ActionChains(driver).key_down(Keys.ALT).key_up(Keys.ALT).perform()
    expect("Alt reaches the menu bar", focused_id(driver), "menu-Formeln")
    ActionChains(driver).send_keys(Keys.ARROW_RIGHT, Keys.ARROW_RIGHT, Keys.ENTER).perform()
    expect("Hilfe by keys", control(driver, "Text6").is_displayed(), True)
    expect("the focus goes back", focused_id(driver), "A_Text")
    ActionChains(driver).key_down(Keys.ALT).key_up(Keys.ALT).send_keys(Keys.ARROW_RIGHT, Keys.ARROW_DOWN,
                                                                         Keys.ARROW_DOWN, Keys.ENTER).perform()
    expect("Log/Exp's second item by keys", control(driver, "C_Text").accessible_name, "Halbwertszeit / s")
    ActionChains(driver).key_down(Keys.ALT).key_up(Keys.ALT).send_keys(Keys.ARROW_DOWN, Keys.ESCAPE).perform()
    expect("Escape closes the menu", control(driver, "Formeln").is_displayed(), False)


def check_clipboard(driver, url):
    open_page(driver, url)
    type_into(driver, "B_Text", "3")
    ActionChains(driver).send_keys(Keys.TAB).perform()
    expect("Tab reaches the result", focused_id(driver), "C_Text")
    ActionChains(driver).key_down(Keys.CONTROL).send_keys("a").send_keys("c").key_up(Keys.CONTROL).perform()
    ActionChains(driver).send_keys("7", Keys.BACKSPACE, Keys.ENTER).perform()
    expect("the result takes no keys", shown_text(driver, "C_Text"), "3,3333E-1")
    type_into(driver, "A_Text", "", enter=False)
    ActionChains(driver).key_down(Keys.CONTROL).send_keys("v").key_up(Keys.CONTROL).send_keys(Keys.ENTER).perform()
    expect("the copied result pasted", shown_text(driver, "A_Text"), "3,3333E-1")
    expect("and computed with", shown_text(driver, "C_Text"), "1,1111E-1")


def check_colours(driver, url):
    """The design's colours, light or dark preference alike."""
    looks = []
    for scheme in ["light", "dark"]:
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                               {"features": [{"name": "prefers-color-scheme", "value": scheme}]})
        open_page(driver, url)
        looks.append([(name, control(driver, name).value_of_css_property("background-color"),
                       control(driver, name).value_of_css_property("color"))
                      for name in ["A_Command", "C_Command", "A_Text", "C_Text", "A_Anzeige", "Text1", "Text2"]])
    expect("colours under a dark preference", looks[1], looks[0])
    expect("the output's button", looks[0][1][1], "rgba(255, 0, 0, 1)")
    expect("a field's text", looks[0][2][2], "rgba(0, 0, 0, 1)")
    control(driver, "menu-Formeln").click()
    title = control(driver, "menu-Formeln")
    ratio = contrast(title.value_of_css_property("color"), title.value_of_css_property("background-color"))
    expect("an open menu's title reaches 4.5:1", ratio >= 4.5, True)


def contrast(first, second):
    """WCAG's contrast ratio of two CSS colours "rgba(r, g, b, a)"."""
    def luminance(colour):
        channels = [int(part) / 255 for part in colour[colour.index("(") + 1:].split(",")[:3]]
        linear = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4 for c in channels]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    lighter, darker = sorted([luminance(first), luminance(second)], reverse=True)
    return (lighter + 0.05) / (darker + 0.05)


def check_offline_and_keeps_nothing(driver, server):
    open_page(driver, server.url)
    ready = wait_for(lambda: driver.execute_script("return navigator.serviceWorker.controller !== null"))
    expect("a service worker keeps the page", ready, True)
    open_page(driver, server.url)
    before = server.requests
    pages = driver.execute_script("return history.length")
    type_into(driver, "A_Text", "4")
    choose(driver, "Information")
    expect("no request while it computes", server.requests, before)
    kept = driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        Promise.all([caches.keys(), indexedDB.databases()]).then(([names, databases]) => done({
            cookies: document.cookie, local: localStorage.length, session: sessionStorage.length,
            caches: names.map((name) => name.replace(/-[0-9a-f]+$/, "")), databases: databases.length,
            history: history.length}));""")
    expect("what it keeps", kept, {"cookies": "", "local": 0, "session": 0, "caches": [kept["caches"][0]],
                                   "databases": 0, "history": pages})
    expect("its one cache", kept["caches"][0].startswith("kalvo-"), True)
    server.stop()
    stopped = server.requests
    open_page(driver, server.url)  # the network is gone
    type_into(driver, "A_Text", "5")
    expect("offline it computes", shown_text(driver, "C_Text"), "5,0000E+0")
    check_console(driver)
    expect("a file no cache holds is gone", fetched(driver, "LICENSE-none"), "failed")
    expect("no request reaches the stopped server", server.requests, stopped)


def fetched(driver, path):
    """What the page gets for a path of its folder: the text, or "failed"."""
    return driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        fetch(arguments[0]).then((answer) => answer.ok ? answer.text() : "failed", () => "failed").then(done);""",
                                       path)


def serve_controlled(driver, url):
    """The page at url, once its service worker controls it."""
    open_page(driver, url)
    wait_for(lambda: driver.execute_script("return navigator.serviceWorker.controller !== null"))
    open_page(driver, url)


def check_copies(folder):
    """Two copies of the page on one server keep their own offline caches."""
    with tempfile.TemporaryDirectory() as site, browser() as driver:
        for copy in ["a", "b"]:
            shutil.copytree(folder, os.path.join(site, copy))
        server = Server(site)
        serve_controlled(driver, server.url + "a/")
        serve_controlled(driver, server.url + "b/")
        names = driver.execute_script("return caches.keys()")
        expect("each copy keeps its own cache", sorted(name.rsplit("/", 2)[-2] for name in names), ["a", "b"])
        server.stop()
        open_page(driver, server.url + "a/")
        type_into(driver, "A_Text", "6")
        expect("the copy opened first computes offline", shown_text(driver, "C_Text"), "6,0000E+0")
        check_console(driver)


def check_single_file(folder):
    """kalvo.html, opened from a file, computes, within its own 300 KB."""
    single = os.path.join(os.path.abspath(folder), "kalvo.html")
    expect("kalvo.html is at most 300 KB", os.path.getsize(single) <= 300_000, True)
    with browser() as driver:
        open_page(driver, "file://" + single)
        type_into(driver, "A_Text", "7")
        expect("kalvo.html computes from a file", shown_text(driver, "C_Text"), "7,0000E+0")
        check_console(driver)


def check_cannot_run(folder):
    """Opened from a file, or in a browser without WebAssembly, the page
    says why it cannot run."""
    with browser() as driver:
        driver.get("file://" + os.path.join(os.path.abspath(folder), "index.html"))
        said = wait_for(lambda: "als datei" in control(driver, "client").text.lower())
        expect("opened from a file, it says so", said, True)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": "delete globalThis.WebAssembly;"})
        server = Server(folder)
        driver.get(server.url)
        said = wait_for(lambda: "WebAssembly" in control(driver, "client").text)
        expect("without WebAssembly, it says so", said, True)
        server.stop()


def check_phone_keyboard_and_texts(driver, url):
    """What a phone's keyboard may change, and texts that UTF-8 must carry."""
    open_page(driver, url)
    for name in ["A_Text", "B_Text", "C_Text", "Text4"]:
        field = control(driver, name)
        expect(f"{name} keeps what is typed", [field.get_dom_attribute(attribute) for attribute in
                                               ["autocapitalize", "autocorrect", "spellcheck"]], ["off", "off", "false"])
    choose(driver, "Wellenlänge")
    type_into(driver, "A_Text", "c")
    expect("c is the speed of light", shown_text(driver, "C_Text"), "2,9979E+8")
    open_page(driver, url)
    type_into(driver, "A_Text", "4", enter=False)
    ActionChains(driver).key_down(Keys.CONTROL).send_keys(Keys.ENTER).key_up(Keys.CONTROL).perform()
    expect("Ctrl+Enter computes", shown_text(driver, "C_Text"), "4,0000E+0")
    # A lone surrogate cannot travel to the browser as such: it is written in the script.
    for pasted, kept in [("\\ud800x", "\ufffdx"), ("1\\u00002", "1\u00002")]:
        driver.execute_script(f"""const field = document.getElementById("B_Text");
            field.value = "{pasted}"; field.dispatchEvent(new Event("input"));""")
        choose(driver, "Information")  # the window shows the model anew
        expect(f"the model holds {pasted}", shown_text(driver, "B_Text"), kept)


def check_console(driver):
    errors = [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
    expect("console errors", errors, [])


def check_screens(url, shots):
    for name, width, height, scale, mobile in [("page", 1024, 600, 1, False), ("page-scale-2", 1024, 600, 2, False),
                                               ("page-360", 360, 740, 3, True)]:
        with browser() as driver:
            # A screen of its own; a phone's as well (a window has a least width).
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
            open_page(driver, url)
            choose(driver, "AnzahlZeit")
            sideways = driver.execute_script(
                "return document.documentElement.scrollWidth - document.documentElement.clientWidth")
            expect(f"{name}: no sideways scrolling", sideways <= 0, True)
            type_into(driver, "Text4", "200")
            expect(f"{name}: computes", shown_text(driver, "C_Text") != "", True)
            driver.save_screenshot(os.path.join(shots, f"{name}.png"))
            check_console(driver)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, shots = sys.argv[1:]
    os.makedirs(shots, exist_ok=True)
    server = Server(folder)
    with browser() as driver:
        check_scenarios(driver, server.url)
        check_roles(driver, server.url)
        check_keyboard(driver, server.url)
        check_clipboard(driver, server.url)
        check_colours(driver, server.url)
        check_console(driver)
    check_screens(server.url, shots)
    with browser() as driver:
        check_phone_keyboard_and_texts(driver, server.url)
        check_console(driver)
    with browser() as driver:
        check_offline_and_keeps_nothing(driver, server)
    check_copies(folder)
    check_single_file(folder)
    check_cannot_run(folder)
    summary()


if __name__ == "__main__":
    main()
