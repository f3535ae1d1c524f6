"""What the end-to-end checks over AT-SPI share: their messages, waiting
for what the game shows, walking its accessible tree, and keys typed into
one of its windows.  A check's messages begin with the name of its script
("play: FAIL: ...")."""

import os
import subprocess
import sys
import time

import pyatspi

NAME = os.path.splitext(os.path.basename(sys.argv[0]))[0]
# The title of the window keys go to unless they name another; a check
# sets it for the game's language.
MAIN_WINDOW = "^リドルト$"


def fail(message):
    print(f"{NAME}: FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def say(line):
    print(f"{NAME}: {line}", flush=True)


def wait_for(what, read, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        value = read()
        if value:
            return value
        time.sleep(0.1)
    fail(f"no {what} after {timeout} s")


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def descendants(node, depth=0):
    """Every accessible below `node`, not entering the cells of tables."""
    if node is None or depth > 25:
        return
    yield node
    if node.getRoleName() in ("tree", "tree table", "table"):
        return
    for index in range(node.childCount):
        yield from descendants(node.getChildAtIndex(index), depth + 1)


def first(node, role, name=None):
    for found in descendants(node):
        if found.getRoleName() == role and (name is None or found.name == name):
            return found
    return None


def window_id(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                           capture_output=True, text=True).stdout.split()
    return found[-1] if found else None


def keys(*names, window=None, delay=150, settle=0.4):
    """Keys for the window titled `window` (the main window when none is
    named), given the keyboard first."""
    window = window or MAIN_WINDOW
    target = wait_for(f"window {window}", lambda: window_id(window))
    subprocess.run(["xdotool", "windowfocus", "--sync", target], check=False)
    subprocess.run(["xdotool", "key", "--delay", str(delay), *names], check=True)
    time.sleep(settle)


def near_goal_save(sim, folder):
    """A save of seed 7 played by the trend rules to 35年目9月, where selling
    every share of the dearest holding reaches the goal."""
    path = os.path.join(folder, "near.sav")
    subprocess.run([sim, "run", "--seed", "7", "--strategy", "trend", "--months", "416",
                    "--save", path], check=True, stdout=subprocess.DEVNULL)
    return path


def sell_dearest_holding(frame, holdings, trade_window):
    """Turns to the holdings list named `holdings`, sorts it by the value
    held (its last column, twice: the dearest first) and sells all of the
    first row in the trade dialog titled `trade_window`."""
    first(frame, "page tab", holdings).queryAction().doAction(0)
    holdings_list = first(frame, "tree", holdings)
    for _ in range(20):
        if holdings_list.getState().contains(pyatspi.STATE_FOCUSED):
            break
        keys("Tab")
    for _ in range(2):
        keys("Menu", "o", "Up", "Return")
    keys("Home", "Menu", "e")  # sell all
    keys("Return", window=f"^{trade_window}$")
