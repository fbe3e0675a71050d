#!/usr/bin/python3
"""Reads the running program through the accessibility bus, as a screen reader does.

  toolbar_atspi.py buttons <app>   one line per push button: name, x, y, w, h, enabled
  toolbar_atspi.py status <app>    the text of the status line (the window's one text field)
  toolbar_atspi.py hbars <app> <title regex>   the horizontal scroll bars shown in that
                                   window, one line each (none: empty); exit 4: no window
"""
import re
import sys

import pyatspi


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
    return None


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


def main():
    what, name = sys.argv[1], sys.argv[2]
    app = application(name)
    if app is None:
        return 2
    if what == "buttons":
        for node in walk(app):
            if node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
                ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                enabled = node.getState().contains(pyatspi.STATE_SENSITIVE)
                print("\t".join([node.name, str(ext.x), str(ext.y), str(ext.width),
                                 str(ext.height), "1" if enabled else "0"]))
        return 0
    if what == "status":
        for node in walk(app):
            if node.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
                print(node.queryText().getText(0, -1))
                return 0
        return 3
    if what == "hbars":
        windows = [w for w in app if w is not None and re.search(sys.argv[3], w.name)]
        for window in windows:
            for node in walk(window):
                if node.getRole() != pyatspi.ROLE_SCROLL_BAR:
                    continue
                if not node.getState().contains(pyatspi.STATE_SHOWING):
                    continue
                ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                if ext.width > ext.height:
                    print(f"{ext.width}x{ext.height} at {ext.x},{ext.y}")
        return 0 if windows else 4
    return 1


if __name__ == "__main__":
    sys.exit(main())
