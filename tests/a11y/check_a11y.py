#!/usr/bin/env python3
"""Drives ba-test-tool through AT-SPI alone, as a screen reader would.

Run by scripts/a11y-check.sh, which starts the buses, a virtual display, the simulated acceptor
and the tool. Finds "Test Mode", the port list and the terminal's entry box, presses labels and
buttons through their press action, opens "Parameter Setup" and goes through its tabs. On every
screen it visits it lists each showing object without a name, and each interactive one whose
role says nothing (unknown, filler). Exit status 0 when everything was found and named.
"""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# get_action_name's successor has no binding in this libatspi.
warnings.filterwarnings("ignore", category=DeprecationWarning)

APP_NAME = "ba-test-tool"
WAIT_S = 15
# Roles that tell a screen reader nothing about what the object does.
VAGUE_ROLES = {"unknown", "filler", "invalid", "redundant object"}
# The accounts are fixed in the program (README): this one opens every tab.
ADMIN = ("mira_tek", "qpa-xn")

problems = []


def walk(acc, showing_only=True):
    """The object and its descendants (only showing ones unless told otherwise)."""
    yield acc
    for i in range(acc.get_child_count()):
        child = acc.get_child_at_index(i)
        if child is None:
            continue
        if showing_only and not child.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        yield from walk(child, showing_only)


def wait_for(what, find, timeout=WAIT_S):
    end = time.monotonic() + timeout
    while True:
        found = find()
        if found:
            return found
        if time.monotonic() > end:
            raise SystemExit(f"FAILED: no {what} after {timeout} s")
        time.sleep(0.1)


def find(root, role, name=None, enabled=None):
    for acc in walk(root):
        if acc.get_role_name() != role or (name is not None and acc.get_name() != name):
            continue
        if enabled is not None and acc.get_state_set().contains(Atspi.StateType.ENABLED) != enabled:
            continue
        return acc
    return None


def labels_of(acc):
    names = []
    for relation in acc.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            names += [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return names


def actions_of(acc):
    if "Action" not in acc.get_interfaces():
        return []
    return [Atspi.Action.get_action_name(acc, i) for i in range(Atspi.Action.get_n_actions(acc))]


def press(acc):
    """The press action, as a screen reader's "activate" runs it."""
    names = actions_of(acc)
    if "Press" not in names:
        raise SystemExit(f"FAILED: {acc.get_role_name()} '{acc.get_name()}' has no press action "
                         f"(actions: {names})")
    Atspi.Action.do_action(acc, names.index("Press"))


def check_names(root, screen):
    """Adds every showing object of `root` that a screen reader could not name or place."""
    count = 0
    for acc in walk(root):
        role = acc.get_role_name()
        if role == "application":
            continue
        count += 1
        states = acc.get_state_set()
        actions = [a for a in actions_of(acc) if a != "SetFocus"]
        interactive = bool(actions) or states.contains(Atspi.StateType.FOCUSABLE)
        # A combo box is named by its value and labelled by its caption, as in GTK.
        name = acc.get_name() or " ".join(labels_of(acc))
        where = f"{screen}: {role} '{name}' (parent '{acc.get_parent().get_name()}')"
        if role in VAGUE_ROLES and interactive:
            problems.append(f"{where}: interactive with role '{role}'")
        elif not name and not (role in VAGUE_ROLES and not interactive):
            problems.append(f"{where}: no accessible name")
    print(f"{screen}: {count} showing objects checked")


def main():
    started = time.monotonic()
    desktop = Atspi.get_desktop(0)
    app = wait_for("application on the accessibility bus", lambda: next(
        (a for a in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
         if a is not None and a.get_name() == APP_NAME), None))
    app.set_cache_mask(Atspi.Cache.NONE)  # every question goes to the tool
    window = wait_for("main window", lambda: find(app, "frame"))

    # The simulated acceptor reports itself and unlocks "Test Mode", a label that is a button.
    test_mode = wait_for('enabled "Test Mode" push button',
                         lambda: find(window, "push button", "Test Mode", enabled=True))
    ports = wait_for("combo box labelled 'Com Port'", lambda: next(
        (a for a in walk(window) if a.get_role_name() == "combo box"
         and "Com Port" in labels_of(a)), None))
    print(f"port list: value '{ports.get_name()}', labelled 'Com Port'")

    press(find(window, "push button", "RS232"))
    entry = wait_for("terminal entry box 'Text2'", lambda: find(window, "text", "Text2"))
    print(f"terminal entry box: {entry.get_role_name()} '{entry.get_name()}'")

    press(test_mode)
    io_test = wait_for("'IO Test' push button", lambda: find(window, "push button", "IO Test"))
    check_names(window, "main screen with the terminal and the test menu")
    press(io_test)
    wait_for("IO test panel", lambda: find(window, "push button", "Pulse"))
    check_names(window, "IO test")

    press(find(window, "push button", "Setup"))
    setup = wait_for("'Parameter Setup' dialog", lambda: find(app, "dialog", "Parameter Setup"))
    print("Setup pressed: 'Parameter Setup' dialog showing")
    check_names(setup, "setup, Login")
    user = wait_for("'Login Name' text", lambda: find(setup, "text", "Login Name"))
    password = find(setup, "password text", "Password")
    Atspi.EditableText.set_text_contents(user, ADMIN[0])
    Atspi.EditableText.set_text_contents(password, ADMIN[1])
    press(find(setup, "push button", "Login"))
    wait_for("'Admin Mode' in the status bar", lambda: find(window, "label", "Admin Mode"))
    for tab in ("System Parameter", "Communication Code", "Interface Parameter"):
        press(wait_for(f"'{tab}' page tab", lambda: find(setup, "page tab", tab)))
        # The tab list is named after the tab shown.
        wait_for(f"'{tab}' shown", lambda: find(setup, "page tab list", tab))
        time.sleep(0.3)  # the tab's deferred display
        time.sleep(0.3)  # the tab's deferred display
        check_names(setup, f"setup, {tab}")

    for p in problems:
        print(p)
    print(f"{len(problems)} problems, {time.monotonic() - started:.1f} s")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
