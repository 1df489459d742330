"""The varnell main window through AT-SPI, as a screen reader reads it.

Run by main_window_over_atspi.sh inside its own D-Bus session, with the program's process id as
the only argument: waits for the program's window on the accessibility bus, prints its accessible
tree, and fails unless every main-window control is there by role and name (the lists by their
description: Qt names a list by its current choice) and the volume slider takes a value.
"""

import sys
import time

import pyatspi

WINDOW_TITLE = "Varnell"
APPEAR_SECONDS = 60

BUTTONS = [
    "Add File", "Add Folder", "Clip Video", "Help", "Remove", "Clear All", "Merge into a file",
    "File Information", "Conversion Settings", "Set output files", "Open output files",
    "Start Converting", "Play", "Stop", "Check Volume", "About", "Minimize", "Close",
]
ROLE_NAMES = {
    pyatspi.ROLE_PUSH_BUTTON: "push button", pyatspi.ROLE_SLIDER: "slider",
    pyatspi.ROLE_TABLE: "table", pyatspi.ROLE_COMBO_BOX: "combo box",
}
EXPECTED = (
    [(pyatspi.ROLE_PUSH_BUTTON, name) for name in BUTTONS]
    + [(pyatspi.ROLE_SLIDER, "Position"), (pyatspi.ROLE_SLIDER, "Volume"),
       (pyatspi.ROLE_TABLE, "Task list"), (pyatspi.ROLE_COMBO_BOX, "Profile"),
       (pyatspi.ROLE_COMBO_BOX, "Output folder")]
)


def program_window(process_id):
    """The program's top-level accessible, once it is on the bus; None after the wait."""
    deadline = time.monotonic() + APPEAR_SECONDS
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for application in desktop:
            try:
                if application is None or application.get_process_id() != process_id:
                    continue
                for window in application:
                    if window is not None and window.getRole() in (
                            pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW):
                        return window
            except Exception:  # an application leaving the bus meanwhile
                continue
        time.sleep(0.2)  # polling another process, the one wait a test may poll
    return None


def walk(node, depth, found):
    role = node.getRole()
    name = node.name or ""
    description = node.description or ""
    found.add((role, name))
    if description:
        found.add((role, description))
    print("  " * depth + "%s: %r%s" % (node.getRoleName(), name,
                                        " (%s)" % description if description else ""))
    if role == pyatspi.ROLE_TABLE:
        return  # its cells are Qt's, and many
    for child in node:
        if child is not None:
            walk(child, depth + 1, found)


def find(node, role, name):
    if node.getRole() == role and name in (node.name, node.description):
        return node
    for child in node:
        if child is not None:
            hit = find(child, role, name)
            if hit is not None:
                return hit
    return None


def main():
    window = program_window(int(sys.argv[1]))
    if window is None:
        print("FAIL: the program's window did not appear on the accessibility bus")
        return 1
    failures = []
    if window.name != WINDOW_TITLE:
        failures.append("window named %r, not %r" % (window.name, WINDOW_TITLE))
    found = set()
    walk(window, 0, found)
    for role, name in EXPECTED:
        if (role, name) not in found:
            failures.append("no %s named %r" % (ROLE_NAMES[role], name))

    volume = find(window, pyatspi.ROLE_SLIDER, "Volume")
    if volume is not None:
        value = volume.queryValue()
        if (value.minimumValue, value.maximumValue, value.currentValue) != (0, 100000, 30000):
            failures.append("volume range and value %r" % (
                (value.minimumValue, value.maximumValue, value.currentValue),))
        value.currentValue = 55000
        deadline = time.monotonic() + 10
        while volume.queryValue().currentValue != 55000 and time.monotonic() < deadline:
            time.sleep(0.1)
        if volume.queryValue().currentValue != 55000:
            failures.append("the volume slider did not take 55000")

    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
