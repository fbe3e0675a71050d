#!/usr/bin/python3
"""Reads the running program through the accessibility bus, as a screen reader does.

  toolbar_atspi.py buttons <app>   one line per push button: name, x, y, w, h, enabled
  toolbar_atspi.py status <app>    the text of the status line (the window's one text field)
"""
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
    return 1


if __name__ == "__main__":
    sys.exit(main())
