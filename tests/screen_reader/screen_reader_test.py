"""Works Lumo through the AT-SPI tree alone, as a screen reader user does: opens the
channel window, reads the radio with the window's Read button, hears the message as an
alert, and reads a channel's cell. usage: screen_reader_test.py RX_OF_CHANNEL_1"""
import sys
import time

import pyatspi
from gi.repository import Atspi

# A call into a program that is waiting for its user must not hold the test for long.
Atspi.set_timeout(3000, 20000)


def fail(message):
    print("screen reader test: FAIL: " + message)
    sys.exit(1)


def wait_for(what, find, seconds=30):
    end = time.time() + seconds
    error = None
    while time.time() < end:
        try:
            found = find()
        except Exception as e:  # the tree changes under us while windows open and close
            found, error = None, e
        if found is not None:
            return found
        time.sleep(0.2)
    fail("no %s within %d s%s%s" % (what, seconds, "; last error: %s" % error if error else "",
                                     "; windows: " + ", ".join(top_windows())))


def top_windows():
    try:
        app = application()
        return ["%s %r" % (w.getRoleName(), w.name) for w in app] if app else ["no Lumo"]
    except Exception as e:
        return ["unreadable: %s" % e]


def descendants(node):
    """Every node under `node`, leaving out a table's cells (there are thousands)."""
    stack = [node]
    while stack:
        current = stack.pop()
        yield current
        if current.getRoleName() == "table":
            continue
        for i in reversed(range(current.childCount)):
            child = current.getChildAtIndex(i)
            if child is not None:
                stack.append(child)


def find(root, role, name=None, showing=True):
    for node in descendants(root):
        if node.getRoleName() != role or (name is not None and node.name != name):
            continue
        if showing and not node.getState().contains(pyatspi.STATE_SHOWING):
            continue
        return node
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    print("screen reader test: pressing %s '%s' (%s)" % (node.getRoleName(), node.name, ", ".join(names)))
    for wanted in ("Press", "Toggle", "press", "click"):
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    fail("'%s' offers no press action, only %s" % (node.name, names))


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Lumo":
            return app
    return None


def window_of(node):
    """The child window holding `node`: the nearest ancestor with a Read button."""
    seen = []
    while node is not None:
        seen.append(node.getRoleName() + " " + repr(node.name))
        if find(node, "push button", "Read") is not None:
            return node
        node = node.parent
    fail("the channel table lies in no child window: " + " < ".join(seen))


rx = sys.argv[1]
app = wait_for("Lumo on the accessibility bus", application, seconds=90)
wait_for("main window", lambda: find(app, "frame"))

# The tool bar's Channel button opens the channel window, which first offers a file.
press(wait_for("Channel tool button", lambda: find(app, "check box", "Channel")))
dialog = wait_for("Open dialog", lambda: find(app, "dialog", "Open") or find(app, "file chooser"))
press(wait_for("Cancel button of the Open dialog", lambda: find(dialog, "push button", "Cancel")))

table = wait_for("channel table", lambda: find(app, "table", "Channels"))
window = window_of(table)
progress = find(window, "progress bar")
if progress is None or progress.name != "Progress":
    fail("the progress bar is not named Progress: %r" % (progress and progress.name))
if find(window, "label", "Close") is None and find(window, "image", "Close") is None:
    fail("the close picture has no name")

press(wait_for("the channel window's Read button", lambda: find(window, "push button", "Read")))


def completion_alert():
    alert = find(app, "alert")
    if alert is None:
        return None
    texts = [n.name for n in descendants(alert) if n.getRoleName() == "label"]
    return alert if "Recive data complete!" in texts else None


alert = wait_for("'Recive data complete!' alert", completion_alert, seconds=60)
press(wait_for("OK button of the alert", lambda: find(alert, "push button", "OK")))

cells = table.queryTable()
expected = "channel 1, RX Frequency(MHZ), " + rx
wait_for("channel 1's receive frequency in its cell",
         lambda: cells.getAccessibleAt(0, 1) if cells.getAccessibleAt(0, 1).name == expected else None,
         seconds=10)
print("screen reader test: channel 1's cell reads '%s'" % cells.getAccessibleAt(0, 1).name)
header = cells.getColumnHeader(1).name.strip()
if header != "RX Frequency(MHZ)":
    fail("column 2's header reads '%s'" % header)
empty = cells.getAccessibleAt(cells.nRows - 1, 1).name
if not empty.startswith("channel %d, RX Frequency(MHZ), " % cells.nRows):
    fail("the last row's cell reads '%s'" % empty)
print("screen reader test: passed")
