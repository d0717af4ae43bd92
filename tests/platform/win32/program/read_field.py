#!/usr/bin/env python3
"""Prints the text of the field a label names, in a window of the screen
reader's JSON: the field is the control right after its label, as screen
readers pair them.

Usage: read_field.py SCREEN_JSON WINDOW_TITLE LABEL_TEXT
Exits 1 when the window or the label is not on the screen.
"""
import json
import sys


def field_text(screen, title, label):
    for window in screen["windows"]:
        if window["title"] != title or not window["visible"]:
            continue
        children = window["children"]
        for i, child in enumerate(children[:-1]):
            if child["class"].lower() == "static" and child["text"] == label:
                return children[i + 1]["text"]
    return None


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as f:
        text = field_text(json.load(f), sys.argv[2], sys.argv[3])
    if text is None:
        sys.exit(1)
    print(text)
