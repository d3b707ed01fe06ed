"""Starts zib-notes in German and walks its window's accessibility tree.

Every control a user can reach (buttons, check boxes, fields, sliders, list
entries) must carry a name; the names and the window title must be German.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


def pause(seconds):
    """Waits while the bus events (new applications, new children) that
    keep libatspi's picture of the tree current are handled."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.05)

CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_LIST, pyatspi.ROLE_SCROLL_BAR,
}

UNNAMED_OK = set()


def find_app(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            pass
    return None


def controls_of(pid):
    """The showing nodes of the program's tree, or [] while it has none."""
    app = find_app(pid)
    if app is None:
        return []
    found = []
    walk(app, 0, found)
    return found


def walk(node, depth, found):
    try:
        role = node.getRole()
        name = node.name or ""
        states = node.getState()
    except Exception:
        return
    showing = states.contains(pyatspi.STATE_SHOWING)
    if showing:
        found.append((role, node.getRoleName(), name, depth))
    for child in node:
        if child is not None:
            walk(child, depth + 1, found)


def start(program, env, log):
    log.seek(0)
    log.truncate()
    # The bridge's own log says when it lost the bus at start.
    return subprocess.Popen([program], env=dict(env, QT_LOGGING_RULES="qt.accessibility.atspi=true"),
                            stdout=log, stderr=subprocess.STDOUT)


def read_tree(proc, log, seconds):
    """The program's showing nodes once the tool bar is there, or []."""
    deadline = time.time() + seconds
    while time.time() < deadline and proc.poll() is None:
        found = controls_of(proc.pid)
        if sum(1 for r, _, _, _ in found if r == pyatspi.ROLE_PUSH_BUTTON) >= 3:
            pause(1.0)
            return controls_of(proc.pid)
        log.seek(0)
        if "Error in contacting registry" in log.read():
            return []
        pause(0.5)
    return []


def stop(proc):
    proc.terminate()
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        proc.kill()


def main():
    program = sys.argv[1]
    env = dict(os.environ, LANG="de_DE.UTF-8")
    for var in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
        env.pop(var, None)
    log = open(os.path.join(os.environ.get("XDG_RUNTIME_DIR", "/tmp"), "zib-notes.log"), "w+")
    # Qt's bridge now and then fails to reach the registry of a session bus
    # that has only just started (run-desktop-test.sh then starts a new
    # session: exit status 2).
    found = []
    for attempt in range(2):
        proc = start(program, env, log)
        try:
            found = read_tree(proc, log, 20)
        finally:
            stop(proc)
        if found:
            break
        print("attempt %d: the window did not appear in the accessibility tree" % (attempt + 1))
    if not found:
        log.seek(0)
        print(log.read()[-3000:])
        print("the window never appeared in the accessibility tree")
        return 2

    failures = 0
    for role, role_name, name, depth in found:
        print("%s%s %r" % ("  " * depth, role_name, name))
    controls = [(r, rn, n) for r, rn, n, d in found if r in CONTROLS]
    if len(controls) < 5:
        print("FAIL: only %d controls found" % len(controls))
        failures += 1
    for role, role_name, name in controls:
        if not name.strip() and role not in UNNAMED_OK:
            print("FAIL: a %s without a name" % role_name)
            failures += 1
    names = {n for _, _, n, _ in found}
    for wanted in ("Notizen", "Suchen", "Neue Notiz", "Raster", "Liste"):
        if wanted in names:
            print("ok - %r is in the window" % wanted)
        else:
            print("FAIL: %r is not in the window" % wanted)
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
