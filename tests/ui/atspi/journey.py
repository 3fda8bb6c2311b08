#!/usr/bin/python3
"""The demo window driven only through AT-SPI, as a screen-reader user's assistive technology would: Connect,
Version, every settings control changed, Write, Save (through the file dialog), Factory Reset, Read, Factory Reset,
Load (through the file dialog), Disconnect. The screen, the saved file and what the reader sent back must agree.
Run through run-journey.sh, which starts a session bus, the accessibility bus and the demo."""
import os
import sys
import tempfile
import time

import pyatspi

STATUS_TIMEOUT_S = 10


def poll(found, what):
    """found() once it gives something, within the deadline."""
    deadline = time.monotonic() + STATUS_TIMEOUT_S
    while time.monotonic() < deadline:
        result = found()
        if result:
            return result
        time.sleep(0.05)
    sys.exit(f"no {what} within {STATUS_TIMEOUT_S} s")


def find_app(name):
    return poll(lambda: next((app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == name),
                             None), f"application {name} on the accessibility bus")


def controls(app):
    found = {}

    def walk(node):
        for child in node:
            if child is None:
                continue
            found.setdefault((child.getRoleName(), child.name), child)
            walk(child)

    walk(app)
    return found


def window_controls(app):
    """The window's controls, once it has made them all (Connect is among the last)."""
    found = controls(app)
    return found if ("push button", "Connect") in found else None


def act(node, action):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() == action:
            actions.doAction(i)
            return
    sys.exit(f"{node.name} has no action {action}")


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def text(node):
    return node.queryText().getText(0, -1)


# The settings file's 16 lines for what the journey sets: TRACK 2 alone, start sentinels "%" and "+" on tracks 1 and
# 3, end sentinel "?" on track 2, AAMVA, an Enter after the card data.
CHANGED = ["0", "1", "0", "1", "%", "", "+", "1", "", "?", "", "False", "True", "False", "False", "True"]
FACTORY = ["1", "1", "1", "0", "", "", "", "0", "", "", "", "True", "False", "False", "True", "False"]
SENTINEL_FIELDS = ["Track Start Sentinel, Track1", "Track Start Sentinel, Track2", "Track Start Sentinel, Track3",
                   "Track End Sentinel, Track1", "Track End Sentinel, Track2", "Track End Sentinel, Track3"]
OPTIONS = ["ISO", "AAMVA", "None", "Append Enter(CR) after each track card data ",
           "Append Enter(CR) after card data "]


def saved_lines(path):
    with open(path, "rb") as file:
        content = file.read()
    lines = content.decode("latin-1").split("\r\n")
    if len(lines) != 17 or lines[-1] != "":
        return [f"not 16 lines ended by CR LF: {content!r}"]
    return lines[:16]


def main():
    app = find_app("cdr55p4w-config-demo")
    c = poll(lambda: window_controls(app), "window")
    button = lambda name: c[("push button", name)]
    box = lambda name: c[("check box", name)]
    option = lambda name: c[("radio button", name)]
    field = lambda name: c[("text", name)]
    status_label = next(node for (role, name), node in c.items()
                        if role == "label" and name not in ("Track1", "Track2", "Track3"))
    failures = []

    def screen():
        """What the window shows, as the settings file's 16 lines."""
        def track(name):
            node = box(name)
            return "2" if node.getState().contains(pyatspi.STATE_INDETERMINATE) else str(int(checked(node)))
        tracks = [track(name) for name in ("TRACK 1", "TRACK 2", "TRACK 3")]
        start = [str(int(checked(box("Track Start Sentinel"))))] + [text(field(n)) for n in SENTINEL_FIELDS[:3]]
        end = [str(int(checked(box("Track End Sentinel"))))] + [text(field(n)) for n in SENTINEL_FIELDS[3:]]
        return tracks + start + end + [str(checked(option(name))) for name in OPTIONS]

    def expect_screen(step, wanted):
        """Polls, as a button's press action clicks it a moment later."""
        deadline = time.monotonic() + STATUS_TIMEOUT_S
        while time.monotonic() < deadline and screen() != wanted:
            time.sleep(0.05)
        if screen() != wanted:
            failures.append(f"{step}: the screen shows {screen()}, wanted {wanted}")

    def expect_status(wanted):
        deadline = time.monotonic() + STATUS_TIMEOUT_S
        while time.monotonic() < deadline and status_label.name != wanted:
            time.sleep(0.05)
        if status_label.name != wanted:
            failures.append(f"status {status_label.name!r}, wanted {wanted!r}")

    def choose_file(caption, title, accept, path):
        """Presses caption and names path in its file dialog: the file name field, then the dialog's accept button."""
        act(button(caption), "press")
        dialog = poll(lambda: next((w for w in app if w is not None and w.getRoleName() == "dialog" and w.name == title),
                                   None), f"dialog {title!r}")
        parts = controls(dialog)
        parts[("text", "File name:")].queryEditableText().setTextContents(path)
        act(parts[("push button", accept)], "press")
        poll(lambda: all(w is None or w.name != title for w in app), f"closing of dialog {title!r}")

    connect = button("Connect")  # its caption is the connection state
    act(connect, "press")
    expect_status("Device Connected!")
    act(button("Version"), "press")
    expect_status("Ver.:1.05")

    for name, on in zip(("TRACK 1", "TRACK 2", "TRACK 3"), CHANGED):
        if checked(box(name)) != (on == "1"):
            act(box(name), "toggle")
    act(box("Track Start Sentinel"), "toggle")
    act(box("Track End Sentinel"), "toggle")
    for name, value in zip(SENTINEL_FIELDS, CHANGED[4:7] + CHANGED[8:11]):
        if value:
            field(name).queryEditableText().setTextContents(value)
    act(option("AAMVA"), "press")
    act(option("Append Enter(CR) after card data "), "press")
    expect_screen("changed", CHANGED)

    act(button("Write Setting Config"), "press")
    expect_status("Complete write config!")
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "journey.cfg")
        choose_file("Save Config", "Save Config File", "Save", path)
        expect_status("Saved journey.cfg")
        if not os.path.exists(path):
            sys.exit(f"Save Config wrote no {path}")
        if saved_lines(path) != screen():
            failures.append(f"saved {saved_lines(path)}, the screen shows {screen()}")

        act(button("Factory Reset"), "press")
        expect_screen("factory reset", FACTORY)
        act(button("Read Setting Config"), "press")
        expect_status("Complete read config!")
        expect_screen("read back", CHANGED)

        act(button("Factory Reset"), "press")
        expect_screen("factory reset again", FACTORY)
        choose_file("Load Config", "File Search", "Open", path)
        expect_status("Loaded journey.cfg")
        expect_screen("loaded", CHANGED)

    if connect.name != "Disconnect":
        failures.append(f"Connect reads {connect.name!r}")
    act(connect, "press")
    expect_status("Disconnect!")

    for failure in failures:
        print("FAIL", failure)
    print("journey passed" if not failures else "journey failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
