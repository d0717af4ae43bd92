#!/usr/bin/python3
"""Prints texts of the running program read through the accessibility bus.

  atspi_text.py message   the label texts of the open message boxes
  atspi_text.py field N   the text of the field whose accessible name is N
  atspi_text.py labels W  the label texts of the window titled W
  atspi_text.py centre W B  the screen point "x y" in the middle of button B
                            of the window titled W
  atspi_text.py press W B   runs the press action of button B of the window
                            titled W, as a screen reader's activate command does
  atspi_text.py outside W X Y WIDTH HEIGHT
                            the controls of the window titled W that do not lie
                            whole inside that area of the screen
"""
import sys

import pyatspi


def walk(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def applications():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None:
            yield app


def message_texts():
    for app in applications():
        for acc in walk(app):
            if acc.getRole() == pyatspi.ROLE_ALERT:
                for inner in walk(acc):
                    if inner.getRole() == pyatspi.ROLE_LABEL and inner.name:
                        print(inner.name)


def window_labels(title):
    for window in windows(title):
        for acc in walk(window):
            if acc.getRole() == pyatspi.ROLE_LABEL and acc.name:
                print(acc.name)


def windows(title):
    for app in applications():
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is not None and window.name == title:
                yield window


def button(title, name):
    for window in windows(title):
        for acc in walk(window):
            if acc.getRole() == pyatspi.ROLE_PUSH_BUTTON and acc.name == name:
                return acc
    sys.exit("no button %r in %r" % (name, title))


def button_centre(title, name):
    box = button(title, name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(box.x + box.width // 2, box.y + box.height // 2)


# The names toolkits give a button's default action.
PRESS_ACTIONS = ("press", "click", "activate")


def press(title, name):
    actions = button(title, name).queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() in PRESS_ACTIONS:
            if not actions.doAction(i):
                sys.exit("the press of %r was refused" % name)
            return
    sys.exit("button %r has no press action" % name)


def controls_outside(title, x, y, width, height):
    controls = [acc for window in windows(title) for acc in list(walk(window))[1:]]
    if not controls:
        sys.exit("no controls in %r" % title)
    for acc in controls:
        box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if box.x < x or box.y < y or box.x + box.width > x + width or box.y + box.height > y + height:
            print("%s %r at %d %d %dx%d" % (acc.getRoleName(), acc.name, box.x, box.y, box.width, box.height))


def field_text(name):
    for app in applications():
        for acc in walk(app):
            if acc.getRole() == pyatspi.ROLE_TEXT and acc.name == name:
                text = acc.queryText()
                print(text.getText(0, text.characterCount))
                return
    sys.exit("no field named %r" % name)


if __name__ == "__main__":
    if sys.argv[1:] == ["message"]:
        message_texts()
    elif len(sys.argv) == 3 and sys.argv[1] == "field":
        field_text(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == "labels":
        window_labels(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == "centre":
        button_centre(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 4 and sys.argv[1] == "press":
        press(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 7 and sys.argv[1] == "outside":
        controls_outside(sys.argv[2], *map(int, sys.argv[3:]))
    else:
        sys.exit(__doc__)
