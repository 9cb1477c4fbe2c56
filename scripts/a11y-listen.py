#!/usr/bin/python3
"""Logs what one program sends on the accessibility bus, one line an event.

Usage: a11y-listen.py PROGRAM_NAME LOG_FILE

Run on the program's own session bus (scripts/a11y-playthrough starts it).
Logs focus changes (role, name, description, and for an object holding text
its first characters and the caret), text insertions and deletions, name and
description changes, and new windows, of the application whose accessible
name is PROGRAM_NAME. Lines the play-through writes into the same file mark
its steps.
"""
import sys
import time

import pyatspi

PROGRAM = sys.argv[1]
LOG = open(sys.argv[2], "a", buffering=1, encoding="utf-8")
START = time.monotonic()


def write(line):
    LOG.write(f"{time.monotonic() - START:7.2f} {line}\n")


def clean(text, limit=160):
    text = (text or "").replace("\n", "⏎")
    return text if len(text) <= limit else text[:limit] + "…"


def describe(acc):
    try:
        role = acc.getRoleName()
        name = acc.name
        description = acc.description
    except Exception as error:  # the object may already be gone
        return f"<gone: {error}>"
    line = f"[{role}] name={name!r}"
    if description:
        line += f" desc={description!r}"
    try:
        text = acc.queryText()
        count = text.characterCount
        line += f" caret={text.caretOffset}/{count} text={clean(text.getText(0, min(count, 400)))!r}"
    except NotImplementedError:
        pass
    except Exception:
        pass
    return line


def focus_mark(acc):
    try:
        return "(focused) " if acc.getState().contains(pyatspi.STATE_FOCUSED) else "(NOT focused) "
    except Exception:
        return "(?) "


def ours(event):
    try:
        return event.host_application is not None and event.host_application.name == PROGRAM
    except Exception:
        return False


def on_event(event):
    if not ours(event):
        return
    kind = event.type
    if kind.startswith("object:state-changed:focused"):
        if event.detail1:
            write("FOCUS " + describe(event.source))
    elif kind.startswith("object:text-changed"):
        write(f"TEXT {kind.split(':')[-1]} at {event.detail1} {clean(str(event.any_data), 120)!r} in "
              + describe(event.source)[:120])
    elif kind == "object:property-change:accessible-description":
        # A reader speaks a description change of the focused object only.
        write("DESC " + focus_mark(event.source) + describe(event.source))
    elif kind == "object:property-change:accessible-name":
        write("NAME " + describe(event.source))
    elif kind.startswith("object:text-caret-moved"):
        # A reader reads the line at the caret of the focused object.
        if event.source.getState().contains(pyatspi.STATE_FOCUSED):
            write(f"CARET {event.detail1} in " + describe(event.source)[:100])
    elif kind.startswith("window:activate"):
        write("WINDOW " + describe(event.source))
    elif kind.startswith("object:announcement"):
        write(f"ANNOUNCE {event.any_data!r}")


def dump_tree(acc, depth=0, out=None):
    """Every showing object of the application: role, name, description."""
    try:
        # Read again from the program, not from what earlier events left.
        acc.clearCache()
        state = acc.getState()
        if depth > 0 and not state.contains(pyatspi.STATE_SHOWING):
            return
        out.append("  " * depth + describe(acc))
        for child in acc:
            if child is not None:
                dump_tree(child, depth + 1, out)
    except Exception as error:
        out.append("  " * depth + f"<error {error}>")


def dump_request(path):
    """Writes the tree of our application when the play-through asks for it."""
    import os
    if os.path.exists(path):
        os.remove(path)
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == PROGRAM:
                lines = []
                dump_tree(app, 0, lines)
                write("TREE\n" + "\n".join(lines))
    return True


if __name__ == "__main__":
    from gi.repository import GLib

    for kind in ("object:state-changed:focused", "object:text-changed", "object:property-change:accessible-description",
                 "object:property-change:accessible-name", "window:activate", "object:announcement", "object:text-caret-moved"):
        pyatspi.Registry.registerEventListener(on_event, kind)
    request = sys.argv[2] + ".tree-request"
    GLib.timeout_add(200, dump_request, request)
    write("listening")
    pyatspi.Registry.start()
