# SPDX-License-Identifier: MIT
"""Reads Kalvo's window as a screen reader does, over AT-SPI, and checks
that every control is announced with a sensible name that follows the
formula. Run by accessibility_test.sh inside Xvfb and a private D-Bus."""
import os
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "support"))
from expect import expect, summary  # noqa: E402  (the Python tests' checks)


def find_application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    sys.exit(f"FAIL: {name} never appeared on the accessibility bus")


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        yield child
        yield from descendants(child)


# Roles and states by their constants: their names differ between versions
# of at-spi2-core ("push button" became "button").
def with_role(app, role):
    return [node for node in descendants(app) if node.getRole() == role]


def named(app, role):
    return [node.name for node in with_role(app, role)]


def click_menu_item(app, caption):
    for node in with_role(app, pyatspi.ROLE_MENU_ITEM):
        if node.name == caption:
            node.queryAction().doAction(0)
            return
    sys.exit(f"FAIL: no menu item {caption}")


def wait_for(condition):
    for _ in range(100):
        if condition():
            return
        time.sleep(0.1)


app = find_application("kalvo")
wait_for(lambda: len(named(app, pyatspi.ROLE_PUSH_BUTTON)) == 4)
expect("window", named(app, pyatspi.ROLE_FRAME), ["Kalvotron"])
expect("buttons", named(app, pyatspi.ROLE_PUSH_BUTTON), ["A: Eingabe", "B: Eingabe", "C: Ausgabe", "K: Eingabe"])
texts = named(app, pyatspi.ROLE_TEXT)
expect("value fields after start", texts[:3], ["Spannung / Volt", "Strom / Ampere", "Widerstand / Ohm"])
for name in ["Formel", "Titel", "Hilfe und Information", "Größe A"]:
    expect(f"{name} announced", name in texts, True)
# The output's field: reachable and readable, but not to be typed into.
results = [node for node in with_role(app, pyatspi.ROLE_TEXT) if node.name == "Widerstand / Ohm"]
expect("result field", len(results), 1)
for node in results[:1]:
    expect("result read out", node.queryText().getText(0, -1), "1,0000E+0")
    for wanted, present in [(pyatspi.STATE_ENABLED, True), (pyatspi.STATE_FOCUSABLE, True),
                            (pyatspi.STATE_READ_ONLY, True), (pyatspi.STATE_EDITABLE, False)]:
        expect(f"result field {pyatspi.stateToString(wanted)}", node.getState().contains(wanted), present)
editable = [node.name for node in with_role(app, pyatspi.ROLE_TEXT) if node.getState().contains(pyatspi.STATE_EDITABLE)]
expect("input fields editable", editable[:2], ["Spannung / Volt", "Strom / Ampere"])
# A screen reader edits the input as typing would; an empty range deletes nothing.
voltage = [node for node in with_role(app, pyatspi.ROLE_TEXT) if node.name == "Spannung / Volt"][0]
voltage.queryEditableText().deleteText(2, 2)
expect("empty range deleted", voltage.queryText().getText(0, -1), "1,0000E+0")
voltage.queryEditableText().deleteText(1, 6)
expect("range deleted", voltage.queryText().getText(0, -1), "1E+0")
expect("top-level menus", named(app, pyatspi.ROLE_MENU_ITEM)[:1], ["Formeln"])

click_menu_item(app, "Anzahl/Zeit")
wait_for(lambda: "Anfangswert" in named(app, pyatspi.ROLE_TEXT))
texts = named(app, pyatspi.ROLE_TEXT)
expect("value fields after Anzahl/Zeit", texts[:3], ["Anzahl", "Zeit / s", "Bezugswert / s"])
expect("constant field after Anzahl/Zeit", "Anfangswert" in texts, True)

summary()
