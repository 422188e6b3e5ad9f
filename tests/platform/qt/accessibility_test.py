#!/usr/bin/python3
# The real brask as Orca reads it: under Xvfb, on a session bus of its own with the
# accessibility bus that at-spi2-core starts there, its tree read through AT-SPI. Every
# control of the table must be there once with its role, name and description, and every
# control that takes the focus must say it can.
#   accessibility_test.py <brask executable> <accessible_table executable>
import os
import random
import subprocess
import sys
import time

if "--inside" not in sys.argv:
    # A display number of its own, from a random start, so that tests that start Xvfb at
    # the same moment do not race for the same one.
    os.execvp("xvfb-run", ["xvfb-run", "-a", "-n", str(random.randint(100, 899)),
                           "-s", "-screen 0 1024x768x24 -noreset", "dbus-run-session", "--",
                           "/usr/bin/python3", os.path.abspath(__file__), "--inside",
                           os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])])

import pyatspi  # noqa: E402  (needs the session bus that the line above starts)

brask, table = sys.argv[2], sys.argv[3]

# AT-SPI's role for each kind of control of the table.
ROLES = {
    "label": "label",
    "group box": "panel",
    "text box": "text",
    "option button": "radio button",
    "check box": "check box",
    "push button": "push button",
}
FOCUSABLE = {"text box", "option button", "check box", "push button"}


def expected():
    rows = subprocess.run([table], check=True, capture_output=True, text=True).stdout
    controls = []
    for line in rows.splitlines():
        kind, name, description = line.split("\t")
        controls.append((ROLES[kind], name, description, kind in FOCUSABLE))
    return sorted(controls)


def application(deadline):
    while time.monotonic() < deadline and program.poll() is None:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "brask" and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def controls_of(node, found):
    for child in node:
        if child is None:
            continue
        if child.getRoleName() in ROLES.values():
            focusable = child.getState().contains(pyatspi.STATE_FOCUSABLE)
            found.append((child.getRoleName(), child.name, child.description, focusable))
        controls_of(child, found)
    return found


environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
program = subprocess.Popen([brask], env=environment)
try:
    app = application(time.monotonic() + 60)
    if app is None:
        sys.exit("FAIL: brask ended or did not appear on the accessibility bus in 60 seconds")
    want = expected()
    got = sorted(controls_of(app, []))
    if got != want:
        for row in sorted(set(want) - set(got)):
            print("missing:", row, file=sys.stderr)
        for row in sorted(set(got) - set(want)):
            print("read:   ", row, file=sys.stderr)
        sys.exit("FAIL: the tree read through AT-SPI is not the control table")
    for role, name, description, _ in got:
        print(f"{role}: {name!r} {description!r}")
finally:
    program.kill()
    program.wait()
