#!/usr/bin/env python3
"""Describes the windows of one process from the screen reader's JSON, one
line per visible window and per visible control, the way a person would
check them:

    window "Dravelo" enabled foreground
      Button 7 "&No" focused

Windows are sorted by title; controls keep the system's order.
Usage: describe.py SCREEN_JSON PROCESS_NAME
"""
import json
import sys


def describe(screen, process):
    lines = []
    windows = [w for w in screen["windows"] if w["visible"] and w["process"].lower() == process.lower()]
    for window in sorted(windows, key=lambda w: w["title"]):
        state = "enabled" if window["enabled"] else "disabled"
        foreground = " foreground" if window["handle"] == screen["foreground"] else ""
        lines.append(f'window {json.dumps(window["title"], ensure_ascii=False)} {state}{foreground}')
        for child in window["children"]:
            if not child["visible"]:
                continue
            marks = ("" if child["enabled"] else " disabled") + (" focused" if child["focused"] else "")
            lines.append(f'  {child["class"]} {child["id"]} {json.dumps(child["text"], ensure_ascii=False)}{marks}')
    return "\n".join(lines)


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as f:
        print(describe(json.load(f), sys.argv[2]))
