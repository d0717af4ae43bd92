#!/usr/bin/python3
"""Prints texts of the running program from the Win32 screen reader's JSON
(read from standard input), as a Windows screen reader would announce them.

  win32_text.py message   the label texts of the open message boxes
  win32_text.py foreground  the title of the foreground window
  win32_text.py field N   the text of the field whose label reads N
  win32_text.py labels W  the label texts of the window titled W
  win32_text.py centre W B  the screen point "x y" in the middle of button B
                            of the window titled W
  win32_text.py handle W B  the window handle of button B of the window titled W

Labels are STATIC controls; a field is named by the label just before it
in the window's order, as Windows screen readers pair them. Button names
are read without the "&" of their access key.
"""
import json
import sys

# The dialog class of the system's message boxes.
DIALOG_CLASS = "#32770"


def visible_windows(screen):
    return [w for w in screen["windows"] if w["visible"]]


def labels_of(window):
    return [c["text"] for c in window["children"] if c["visible"] and c["class"].lower() == "static" and c["text"]]


def message_texts(screen):
    for window in visible_windows(screen):
        if window["class"] == DIALOG_CLASS:
            print("\n".join(labels_of(window)))


def foreground_title(screen):
    for window in screen["windows"]:
        if window["handle"] == screen["foreground"]:
            print(window["title"])


def window_labels(screen, title):
    for window in visible_windows(screen):
        if window["title"] == title:
            print("\n".join(labels_of(window)))


def field_text(screen, name):
    for window in visible_windows(screen):
        children = window["children"]
        for label, field in zip(children, children[1:]):
            if label["class"].lower() == "static" and label["text"] == name and field["class"].lower() == "edit":
                print(field["text"])
                return
    sys.exit("no field named %r" % name)


def button(screen, title, name):
    for window in visible_windows(screen):
        if window["title"] != title:
            continue
        for child in window["children"]:
            if child["class"].lower() == "button" and child["visible"] and child["text"].replace("&", "") == name:
                return child
    sys.exit("no button %r in %r" % (name, title))


def button_centre(screen, title, name):
    left, top, right, bottom = button(screen, title, name)["rect"]
    print((left + right) // 2, (top + bottom) // 2)


def button_handle(screen, title, name):
    print(button(screen, title, name)["handle"])


if __name__ == "__main__":
    args = sys.argv[1:]
    commands = {("message", 0): message_texts, ("foreground", 0): foreground_title, ("field", 1): field_text,
                ("labels", 1): window_labels, ("centre", 2): button_centre, ("handle", 2): button_handle}
    command = commands.get((args[0], len(args) - 1)) if args else None
    if command is None:
        sys.exit(__doc__)
    command(json.load(sys.stdin), *args[1:])
