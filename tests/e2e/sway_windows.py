#!/usr/bin/python3
"""Prints what sway, the Wayland compositor, knows of the windows on screen.

  sway_windows.py focused    the title of the window with the keyboard focus
  sway_windows.py id T       the id of a visible window titled T
  sway_windows.py area ID    its client area on the screen: "x y width height"
                             in the output's logical pixels
"""
import json
import subprocess
import sys


def windows():
    tree = json.loads(subprocess.check_output(["swaymsg", "-r", "-t", "get_tree"]))
    pending = [tree]
    while pending:
        node = pending.pop()
        if node.get("pid") and node.get("visible"):
            yield node
        pending.extend(node.get("nodes", []) + node.get("floating_nodes", []))


def main(args):
    if args == ["focused"]:
        for window in windows():
            if window["focused"]:
                print(window["name"])
                return 0
        return 1
    if len(args) == 2 and args[0] == "id":
        for window in windows():
            if window["name"] == args[1]:
                print(window["id"])
                return 0
        return 1
    if len(args) == 2 and args[0] == "area":
        for window in windows():
            if str(window["id"]) == args[1]:
                outer, inner = window["rect"], window["window_rect"]
                print(outer["x"] + inner["x"], outer["y"] + inner["y"], inner["width"], inner["height"])
                return 0
        return 1
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
