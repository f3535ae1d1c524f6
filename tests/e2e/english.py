"""Reads the English game over AT-SPI and finds no Japanese in it.

Every accessible of the game's windows is read as a screen reader reads
it (name, description and text, the lists' headers and first rows with
their descriptions) after each step: the main window on each of its five
pages, each menu opened, the trade dialog, the seed box, a month refused
for want of cash, a game over, a game won by a sale, and the help window.
A character of Hiragana, Katakana, the CJK ideographs or the full-width
forms anywhere fails the check.  Exits 1 with a message on the first check
that fails.

Usage: english.py <ridolt> <ridolt-sim>   (RIDOLT_WORK: the game's folder)
"""

import os
import re
import subprocess
import sys
import time

import pyatspi

from e2e_common import (descendants, fail, first, keys, near_goal_save, say,
                        sell_dearest_holding, wait_for, window_id)
import e2e_common

e2e_common.MAIN_WINDOW = "^Ridolt$"

GAME, SIM = sys.argv[1], sys.argv[2]
WORK = os.environ["RIDOLT_WORK"]
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "sim", "python"))
from ridolt_sim import RidoltSim  # noqa: E402

# Japanese script: CJK punctuation, Hiragana, Katakana, the ideographs,
# the full-width and half-width forms.
JAPANESE = re.compile("[\u3000-\u303f\u3040-\u30ff\u31f0-\u31ff\u3400-\u4dbf"
                      "\u4e00-\u9fff\uf900-\ufaff\uff00-\uffef]")


def children(node):
    return [node.getChildAtIndex(index) for index in range(node.childCount)]


def texts(node):
    """What a screen reader may say of `node`: its name, description and
    text; of a list, its headers and its first rows with their
    descriptions."""
    said = [node.name or "", node.description or ""]
    try:
        text = node.queryText()
        said.append(text.getText(0, text.characterCount))
    except NotImplementedError:
        pass
    if node.getRoleName() in ("tree", "tree table", "table"):
        table = node.queryTable()
        for column in range(table.nColumns):
            header = table.getColumnHeader(column)
            said.append(header.name if header else "")
            for row in range(min(table.nRows, 3)):
                cell = table.getAccessibleAt(row, column)
                said += [cell.name or "", cell.description or ""]
    return said


checked = set()


def check(where):
    """Reads every window of the game and fails on any Japanese."""
    count = 0
    for window in children(game):
        for node in descendants(window):
            count += 1
            for said in texts(node):
                if JAPANESE.search(said):
                    fail(f"{where}: a {node.getRoleName()} says {said!r}")
                checked.add(said)
    say(f"{where}: {count} accessibles, no Japanese")


def hand_over(path):
    """A second start of the game with `path`: the running game opens it."""
    subprocess.run([GAME, path], check=True, timeout=30)


def calendar():
    for label in descendants(bar):
        if label.getRoleName() == "label" and re.fullmatch(r"Year \d+, Month \d+", label.name or ""):
            return label.name
    return None


def box(title, where):
    """The message box titled `title` is up: read it and press its default
    button."""
    wait_for(f"the box {title}", lambda: window_id(f"^{title}$"))
    dialog = wait_for(f"the box {title} on the bus",
                      lambda: next((w for w in children(game) if w.name == title), None))
    check(where)
    say(f"{where}: {' / '.join(n.name for n in descendants(dialog) if n.getRoleName() == 'label' and n.name)}")
    keys("Return", window=f"^{title}$")


game = wait_for("game on the accessibility bus",
                lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                              if a is not None and a.name == "ridolt"), None))
frame = wait_for("window Ridolt", lambda: first(game, "frame", "Ridolt"))
bar = first(frame, "status bar")
wait_for("the first month", lambda: calendar() == "Year 1, Month 1")
check("the window")

# --- The five pages.
for tab in [t for t in descendants(frame) if t.getRoleName() == "page tab"
            and t.parent.name == "Pages"]:
    tab.queryAction().doAction(0)
    time.sleep(0.5)
    check(f"the page {tab.name}")
first(frame, "page tab", "Market").queryAction().doAction(0)

# --- The menus, each opened from the keyboard, the load menu's unsaved
# games among them.
for letter, name in (("g", "Game"), ("l", "Load"), ("s", "Save"), ("v", "View"), ("h", "Help")):
    keys(f"alt+{letter}")
    check(f"the menu {name}")
    keys("Escape")
keys("Next")  # a month played: the game is kept
keys("alt+l", "k")
check("the menu Load → Unsaved Games")
keys("Escape", "Escape")

# --- The trade dialog, from the keyboard on the market list.
market = first(frame, "tree", "Market")
for _ in range(20):
    if market.getState().contains(pyatspi.STATE_FOCUSED):
        break
    keys("Tab")
keys("Down", "Return")
wait_for("the trade dialog", lambda: window_id("^Stock Trade$"))
check("the trade dialog")
keys("ctrl+Tab", window="^Stock Trade$")  # the sale side
check("the trade dialog, selling")
keys("Escape", window="^Stock Trade$")

# --- The seed box, with a text that is no seed.
keys("alt+g", "s")
wait_for("the seed box", lambda: window_id("^New Game from Seed$"))
subprocess.run(["xdotool", "type", "--delay", "100", "seven"], check=True)
time.sleep(0.5)
check("the seed box")
keys("Escape", window="^New Game from Seed$")

# --- A month refused: a purchase leaves less than a month's living cost.
with RidoltSim(SIM, seed=7) as served:
    for company in range(1000):
        offer = served.offers(company, "buy")
        fits = [lots for lots, amount in zip(offer["lots"], offer["amounts"])
                if served.cash - 30 < amount <= served.cash and offer["price"] >= 20]
        if fits:
            served.buy(company, fits[0])
            break
    refused = os.path.join(WORK, "refused.sav")
    served.save(refused)
hand_over(refused)
wait_for("the refused game", lambda: calendar() == "Year 1, Month 1")
keys("alt+n")
box("Warning", "a month refused")

# --- A game over: the cash of a game that never traded runs out.
lost = os.path.join(WORK, "lost.sav")
subprocess.run([SIM, "run", "--seed", "7", "--strategy", "idle", "--months", "100", "--save", lost],
               check=True, stdout=subprocess.DEVNULL)
hand_over(lost)
wait_for("the game at its last cash", lambda: calendar() == "Year 9, Month 5")
keys("alt+n")
box("Game Over", "a game over")
check("the window of a game over")

# --- A game won by a sale.
hand_over(near_goal_save(SIM, WORK))
wait_for("the game one sale from the goal", lambda: calendar() == "Year 35, Month 9")
sell_dearest_holding(frame, "Holdings", "Stock Trade")
box("Game Won", "a game won")
check("the window of a game won")
keys("alt+g", "r")
wait_for("the records", lambda: window_id("^Records$"))
check("the records")
keys("Escape", window="^Records$")

# --- The help window, where no program opens the help file.
keys("F1")
wait_for("the help window", lambda: window_id("^Ridolt Help$"))
help_window = wait_for("the help on the bus",
                       lambda: next((w for w in children(game) if w.name == "Ridolt Help"), None))
document = "".join(texts(node)[2] if len(texts(node)) > 2 else "" for node in descendants(help_window))
if "How to play, and the rules" not in document:
    fail("the help window does not show the English help")
check("the help window")
keys("ctrl+w", window="^Ridolt Help$")

say(f"{len(checked)} distinct texts read, none of them Japanese")
keys("alt+g", "x")
