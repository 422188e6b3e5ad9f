#!/usr/bin/python3
# The real brask as Orca reads it: under Xvfb, on a session bus of its own where
# at-spi2-core starts the accessibility bus, its tree read through AT-SPI. Every control of
# the table is there once, with its role, name, description and whether it takes the focus.
#   accessibility_test.py <brask executable> <accessible_table executable>
import os
import random
import subprocess
import sys
import time

if "--inside" not in sys.argv:
    # A display number from a random start, so that tests starting Xvfb at once do not
    # race for one. -noreset: the accessibility bus's launcher connects to the display and
    # leaves, and a server that resets then refuses brask's connection for a moment.
    os.execvp("xvfb-run", ["xvfb-run", "-a", "-n", str(random.randint(100, 899)),
                           "-s", "-screen 0 1024x768x24 -noreset", "dbus-run-session", "--",
                           "/usr/bin/python3", os.path.abspath(__file__), "--inside",
                           os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])])

import pyatspi  # noqa: E402  (it needs the session bus started above)

brask, table = sys.argv[2], sys.argv[3]
ROLES = {"label": "label", "group box": "panel", "text box": "text",
         "option button": "radio button", "check box": "check box", "push button": "push button"}


def controls_of(node, found):
    for child in filter(None, node):
        if child.getRoleName() in ROLES.values():
            found.append((child.getRoleName(), child.name, child.description,
                          child.getState().contains(pyatspi.STATE_FOCUSABLE)))
        controls_of(child, found)
    return found


want = []
for line in subprocess.run([table], check=True, capture_output=True, text=True).stdout.splitlines():
    kind, name, description = line.split("\t")
    want.append((ROLES[kind], name, description, kind not in ("label", "group box")))

program = subprocess.Popen([brask], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                             QT_QPA_PLATFORM="xcb"))
try:
    deadline = time.monotonic() + 60
    app = None
    while app is None and program.poll() is None and time.monotonic() < deadline:
        app = next((a for a in pyatspi.Registry.getDesktop(0)
                    if a is not None and a.name == "brask" and a.childCount > 0), None)
        time.sleep(0.1)
    if app is None:
        sys.exit("FAIL: brask ended or did not appear on the accessibility bus in 60 seconds")
    got = sorted(controls_of(app, []))
    for row in got:
        print(row)
    if got != sorted(want):
        print("missing:", sorted(set(want) - set(got)), "\nread instead:",
              sorted(set(got) - set(want)), file=sys.stderr)
        sys.exit("FAIL: the tree read through AT-SPI is not the control table")
finally:
    program.kill()
    program.wait()
