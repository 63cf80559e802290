# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader meets in Sweepora's main window and About box over
AT-SPI: every status text readable, splitters announced as splitters with a
name, the preview named, no stray header, no unnamed labels in the About box.
Run by run_atspi.sh inside a session bus of its own, on an X server of its
own, with the program started with accessibility on."""

import subprocess
import sys
import time

import pyatspi

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def wait_for(find, what, seconds=90):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.25)
    print(f"FAIL: {what} did not appear", file=sys.stderr)
    sys.exit(1)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Sweepora":
            return app
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def frame(app, name):
    for child in app:
        if child is not None and child.getRoleName() == "frame" and child.name == name:
            return child
    return None


def named(root, role, name):
    for node in walk(root):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def click(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2),
                    "click", "1"], check=True)


app = wait_for(application, "the program")
main = wait_for(lambda: frame(app, "Sweepora"), "the main window")

# The group tree: no header named "1" (the hidden header is not a column).
tree = named(main, "tree", "Groups")
check(tree is not None, "the group tree is not exposed as 'Groups'")
if tree is not None:
    headers = [c.name for c in tree if c is not None and c.getRoleName() == "table column header"]
    check("1" not in headers, f"the group tree exposes a header named '1': {headers}")

# The splitters: announced as splitters, with names.
splitters = [n.name for n in walk(main) if n.getRoleName() == "split pane"]
check(len(splitters) == 2 and all(splitters), f"splitters exposed: {splitters}")

# The preview has a name.
check(named(main, "filler", "Preview") is not None or any(
    n.name == "Preview" for n in walk(main)), "the preview has no name")

# A listing: the status texts are readable.
cell = named(tree, "table cell", "Listed")
check(cell is not None, "the group 'Listed' is not in the tree")
if cell is not None:
    click(cell)
    status_texts = lambda: [n.name for n in walk(main) if n.getRoleName() == "label"
                            and n.parent is not None and n.parent.getRoleName() == "status bar"]
    texts = wait_for(lambda: status_texts() if any("Files found" in t for t in status_texts()) else None,
                     "the listing's status texts")
    check(any(t.startswith("Size of files found under ") for t in texts), f"status texts: {texts}")

# The About box: no label without a name.
about_item = named(main.parent, "menu item", "About Sweepora")
check(about_item is not None, "no 'About Sweepora' menu item")
if about_item is not None:
    about_item.queryAction().doAction(0)
    about = wait_for(lambda: frame(app, "About Sweepora") or named(app, "dialog", "About Sweepora"),
                     "the About box")
    unnamed = [n.getRoleName() for n in walk(about) if n.getRoleName() in ("label", "image") and not n.name]
    check(not unnamed, f"unnamed About box parts: {unnamed}")

for failure in failures:
    print("FAIL: " + failure, file=sys.stderr)
sys.exit(1 if failures else 0)
