"""Prints, as JSON, the accessible objects of the running Kelvane as a screen
reader sees them: one {"role", "name", "text", "depth"} per object."""

import json
import sys
import time

import pyatspi


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return None


def walk(node, depth, out):
    if node is None or depth > 12:
        return
    out.append({"role": node.getRoleName(), "name": node.name, "text": text_of(node),
                "depth": depth, "states": [pyatspi.stateToString(s) for s in node.getState().getStates()]})
    for child in node:
        walk(child, depth + 1, out)


def main():
    app_name = sys.argv[1] if len(sys.argv) > 1 else "kelvane"
    out = []
    # The registry learns of a new application a few seconds after it starts.
    deadline = time.monotonic() + 30
    while not out and time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == app_name:
                walk(app, 0, out)
        if not out:
            time.sleep(0.5)
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
