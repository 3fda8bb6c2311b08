#!/usr/bin/python3
"""The demo window driven only through AT-SPI, as a screen-reader user's assistive technology would: Connect,
Version, every settings control changed, Write, Factory Reset, Read, Disconnect. The screen and what the reader
sent back must agree. Run through run-journey.sh, which starts a session bus, the accessibility bus and the demo."""
import sys
import time

import pyatspi

STATUS_TIMEOUT_S = 10


def find_app(name):
    deadline = time.monotonic() + STATUS_TIMEOUT_S
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    sys.exit(f"no application {name} on the accessibility bus")


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


def main():
    app = find_app("cdr55p4w-config-demo")
    c = controls(app)
    button = lambda name: c[("push button", name)]
    box = lambda name: c[("check box", name)]
    option = lambda name: c[("radio button", name)]
    field = lambda name: c[("text", name)]
    status_label = next(node for (role, name), node in c.items()
                        if role == "label" and name not in ("Track1", "Track2", "Track3"))
    failures = []

    def expect_status(wanted):
        deadline = time.monotonic() + STATUS_TIMEOUT_S
        while time.monotonic() < deadline and status_label.name != wanted:
            time.sleep(0.05)
        if status_label.name != wanted:
            failures.append(f"status {status_label.name!r}, wanted {wanted!r}")

    connect = button("Connect")  # its caption is the connection state
    act(connect, "press")
    expect_status("Device Connected!")
    act(button("Version"), "press")
    expect_status("Ver.:1.05")

    changed = {"TRACK 1": False, "TRACK 2": True, "TRACK 3": False}
    for name, on in changed.items():
        if checked(box(name)) != on:
            act(box(name), "toggle")
    act(box("Track Start Sentinel"), "toggle")
    act(box("Track End Sentinel"), "toggle")
    sentinels = {"Track Start Sentinel, Track1": "%", "Track Start Sentinel, Track3": "+",
                 "Track End Sentinel, Track2": "?"}
    for name, value in sentinels.items():
        field(name).queryEditableText().setTextContents(value)
    act(option("AAMVA"), "press")
    act(option("Append Enter(CR) after card data "), "press")

    def expect_changed(step):
        for name, on in changed.items():
            if checked(box(name)) != on:
                failures.append(f"{step}: {name} shows {checked(box(name))}")
        for name in ("Track Start Sentinel", "Track End Sentinel"):
            if not checked(box(name)):
                failures.append(f"{step}: {name} not ticked")
        for name, value in sentinels.items():
            if text(field(name)) != value:
                failures.append(f"{step}: {name} shows {text(field(name))!r}")
        if not checked(option("AAMVA")) or checked(option("ISO")):
            failures.append(f"{step}: format not AAMVA alone")
        if not checked(option("Append Enter(CR) after card data ")) or checked(
                option("Append Enter(CR) after each track card data ")):
            failures.append(f"{step}: Enter option not the last alone")

    expect_changed("changed")
    act(button("Write Setting Config"), "press")
    expect_status("Complete write config!")
    act(button("Factory Reset"), "press")  # a button's press action clicks it a moment later
    reset = lambda: not checked(box("Track Start Sentinel")) and text(field("Track Start Sentinel, Track1")) == "" \
        and checked(option("ISO"))
    deadline = time.monotonic() + STATUS_TIMEOUT_S
    while time.monotonic() < deadline and not reset():
        time.sleep(0.05)
    if not reset():
        failures.append("Factory Reset left the screen as it was: %s %r %s" % (
            checked(box("Track Start Sentinel")), text(field("Track Start Sentinel, Track1")), checked(option("ISO"))))
    act(button("Read Setting Config"), "press")
    expect_status("Complete read config!")
    expect_changed("read back")
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
