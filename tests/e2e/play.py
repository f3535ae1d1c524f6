"""Plays the running game from the keyboard and reads it over AT-SPI.

The month is read from the status bar, as a screen reader reads it; keys
go to the game through the X server (xdotool), so shortcuts, mnemonics,
auto-repeat and menus work as on a desktop.  Checks, in order: " ７ " typed
in the seed box starts the game of seed 7; 40 quick presses of Alt+N play
40 months; F5 starts 自動進行, which the status bar shows while months
pass, and Esc stops it; 資産推移 at 1000×720 has the window's central area;
a game handed over with a month it cannot pay stops 自動進行 at once with
the warning; a game handed over one sale from the goal, won by that sale
from the keyboard, leaves its record in records.txt and in the list 記録.
Exits 1 with a message on the first check that fails.

Usage: play.py <ridolt> <ridolt-sim>   (RIDOLT_WORK: the game's folder)
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

e2e_common.MAIN_WINDOW = "^リドルト$"

GAME, SIM = sys.argv[1], sys.argv[2]
WORK = os.environ["RIDOLT_WORK"]
SAVES = os.path.join(WORK, "savedata")
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "sim", "python"))
from ridolt_sim import RidoltSim  # noqa: E402


def showing(node):
    return node is not None and node.getState().contains(pyatspi.STATE_SHOWING)


def hand_over(path):
    """A second start of the game with `path`: the running game opens it."""
    subprocess.run([GAME, path], check=True, timeout=30)


game = wait_for("game on the accessibility bus",
                lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                              if a is not None and a.name == "ridolt"), None))
frame = wait_for("window リドルト", lambda: first(game, "frame", "リドルト"))
bar = first(frame, "status bar")


def calendar():
    for label in descendants(bar):
        if label.getRoleName() == "label" and re.fullmatch(r"\d+年目\d+月", label.name or ""):
            return label.name
    return None


def months_played():
    year, month = map(int, re.findall(r"\d+", calendar()))
    return (year - 1) * 12 + month - 1


def autoplay_status():
    for label in descendants(bar):
        if (label.name or "").startswith("自動進行中") and showing(label):
            return label.name
    return None


def stays(read, seconds=1.0):
    before = read()
    time.sleep(seconds)
    return read() == before


wait_for("the first month", lambda: calendar() == "1年目1月")

# --- The seed box takes what a Japanese input method types.
keys("alt+g", "s")
wait_for("the seed box", lambda: window_id("^シード指定ニューゲーム$"))
keys("ctrl+a", window="^シード指定ニューゲーム$")
subprocess.run(["xdotool", "type", "--delay", "100", " ７ "], check=True)
keys("Return", window="^シード指定ニューゲーム$")
keys("Tab", "space", window="^確認$")  # OK; Cancel is the default
wait_for("the question to close", lambda: not window_id("^確認$"))
keys("alt+s", "Return")  # slot 0
history = os.path.join(SAVES, "0savedata.sav.history")
wait_for("slot 0", lambda: os.path.exists(history))
with open(history, encoding="utf-8") as file:
    # Each road of the history opens with its save's digest, then its seed.
    seed_line = next(line for line in file.read().splitlines() if line.startswith("seed "))
if seed_line != "seed 7":
    fail(f'" ７ " in the seed box started a game of {seed_line!r}')
say('" ７ " in the seed box is seed 7')

# --- Every press of Alt+N is a month.
keys(*["alt+n"] * 40, delay=25)
wait_for("40 months", lambda: months_played() == 40, timeout=10)
if not stays(months_played):
    fail("months went on after the presses")
say(f"40 presses of Alt+N: {calendar()}")

# --- 自動進行: F5 starts it, the status bar says so, Esc stops it.
keys("F5")
status = wait_for("自動進行 in the status bar", autoplay_status)
if status != "自動進行中 3 か月/秒 (Escで停止)":
    fail(f"the status bar says {status!r}")
started = months_played()
wait_for("months passing by themselves", lambda: months_played() >= started + 3)
keys("Escape")
wait_for("自動進行 to stop", lambda: autoplay_status() is None)
if not stays(months_played, 1.5):
    fail("months still pass after Esc")
say(f"自動進行 ran from {started} to {months_played()} months and Esc stopped it")

# --- 資産推移 has the window's central area.
tab = first(frame, "page tab", "資産推移")
tab.queryAction().doAction(0)
chart = wait_for("the chart of 資産推移",
                 lambda: next((c for c in descendants(frame)
                               if c.getRoleName() == "chart" and c.name == "資産推移"
                               and showing(c)), None))
time.sleep(0.5)
window = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
extents = chart.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
if (window.width, window.height) != (1000, 720):
    fail(f"the window is {window.width}×{window.height}")
if extents.width * 2 < window.width or extents.height * 100 < window.height * 45:
    fail(f"the chart of 資産推移 is {extents.width}×{extents.height}")
if any(showing(node) for node in descendants(frame)
       if (node.getRoleName() == "chart" and node.name.endswith("株価推移"))
       or (node.getRoleName() == "text" and node.name == "メッセージ")):
    fail("the price chart or the log takes room beside 資産推移")
first(frame, "page tab", "市場銘柄").queryAction().doAction(0)
wait_for("the log back", lambda: showing(first(frame, "text", "メッセージ")))
say(f"資産推移 at {window.width}×{window.height}: its chart is {extents.width}×{extents.height}")

# --- A month refused stops 自動進行 with its warning.
with RidoltSim(SIM, seed=7) as served:
    for company in range(1000):
        offer = served.offers(company, "buy")
        fits = [lots for lots, amount in zip(offer["lots"], offer["amounts"])
                if served.cash - 30 < amount <= served.cash and offer["price"] >= 20]
        if fits:
            served.buy(company, fits[0])
            break
    if served.cash >= 30:
        fail("no purchase leaves less than a month's living cost")
    refused = os.path.join(WORK, "refused.sav")
    served.save(refused)
hand_over(refused)
wait_for("the game handed over", lambda: calendar() == "1年目1月")
keys("F5")
wait_for("the warning", lambda: window_id("^警告$"))
if autoplay_status() is not None:
    fail("自動進行 goes on under the warning")
keys("Return", window="^警告$")
if not stays(calendar, 1.5) or calendar() != "1年目1月":
    fail(f"a refused month moved the game to {calendar()}")
say("a refused month stopped 自動進行 with its warning")

# --- A game won by a sale leaves its record.
hand_over(near_goal_save(SIM, WORK))
wait_for("the game one sale from the goal", lambda: calendar() == "35年目9月")
sell_dearest_holding(frame, "所有銘柄", "株取引")
keys("Return", window="^ゲームクリア$")
records = os.path.join(SAVES, "records.txt")
wait_for("records.txt", lambda: os.path.exists(records))
with open(records, encoding="utf-8") as file:
    lines = file.read().splitlines()
if len(lines) != 5 or not lines[3].startswith("7 won 34 8 ") or lines[3].split()[8] == "-":
    fail(f"records.txt holds {lines}")
keys("alt+g", "r")
dialog = wait_for("記録", lambda: first(game, "dialog", "記録"))
table = wait_for("the list 記録", lambda: first(dialog, "tree", "記録")).queryTable()
row = [table.getAccessibleAt(0, column).name for column in range(table.nColumns)]
if row[:3] != ["3000億円まで 34年8か月", "7", "★"]:
    fail(f"記録 lists {row}")
keys("Escape", window="^記録$")
say(f"the won game is kept: {' | '.join(row)}")

keys("alt+g", "x")
