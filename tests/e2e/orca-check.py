"""Drives the game from the keyboard and checks what Orca speaks.

Each step presses keys and waits until Orca's debug log holds a line of
speech, spoken since the step began, that matches what a sighted player
sees at that moment; it prints what Orca spoke, and exits 1 at the first
step whose speech never came.

Usage: orca-check.py <Orca's debug log> <the game loaded, as `ridolt-sim
inspect` prints it> <the same a month later> <the help file>
"""

import html.parser
import json
import re
import subprocess
import sys
import time

debug_log, loaded_json, next_json, help_file = sys.argv[1:5]
# Orca writes "HH:MM:SS.micro - SPEECH OUTPUT: '<text>'{...}", the text's
# further lines indented under it.
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{'established'", re.S)
CONTINUATION = re.compile(r"\n {18}")


def spoken_since(offset):
    with open(debug_log, encoding="utf-8", errors="replace") as log:
        log.seek(offset)
        text = log.read()
    return [CONTINUATION.sub("\n", line) for line in SPEECH.findall(text)]


def log_size():
    with open(debug_log, "rb") as log:
        return log.seek(0, 2)


def fail(message):
    print(f"orca-check: FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def wait_for(start, expected, timeout):
    """The lines spoken since `start`, once one matches the pattern
    `expected` or after `timeout` seconds, with the first match or None."""
    pattern = re.compile(expected)
    end = time.time() + timeout
    while True:
        lines = spoken_since(start)
        found = next((m for m in map(pattern.search, lines) if m), None)
        if found or time.time() > end:
            return lines, found
        time.sleep(0.2)


def step(what, keys, expected, timeout=15, typed=None, must=True, then=None, start=None):
    """Presses `keys` (and types `typed`), then waits for a spoken line
    matching the pattern `expected` and then one matching `then`, spoken
    since the step began (or since the offset `start` of the log).
    Returns the first match, or None when none came and the step need not
    have it."""
    start = log_size() if start is None else start
    if typed:
        subprocess.run(["xdotool", "type", "--delay", "80", typed], check=True)
    if keys:
        subprocess.run(["xdotool", "key", "--delay", "250", *keys], check=True)
    lines, found = wait_for(start, expected, timeout)
    missing = None if found else expected
    if found and then:
        lines, later = wait_for(start, then, timeout)
        missing = None if later else then
    print(f"== {what}")
    for line in lines:
        print("   " + line.replace("\n", "\n   "))
    if missing and (must or found):
        fail(f"{what}: no speech matching {missing!r}")
    # Let what the step set off finish before the next one.
    time.sleep(0.8)
    return found


class TextOf(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.text = []

    def handle_data(self, data):
        self.text.append(data)


def read_json(path):
    with open(path, encoding="utf-8") as file:
        return json.load(file)


loaded = read_json(loaded_json)["calendar"]["shown"]
later = read_json(next_json)
next_month = later["calendar"]["shown"]
# A holding whose sale, fee deducted, brings the cash to the goal
# (3000億円) in the month after the one loaded.
winner = next(h for h in later["holdings"] if later["cash"] + h["value"] * 9 // 10 >= 30_000_000)

parser = TextOf()
with open(help_file, encoding="utf-8") as file:
    parser.feed(file.read())
help_text = re.sub(r"\s+", "", "".join(parser.text))

# The game came up with the save loaded after its first new game: the
# load says the month and the cash.
step("the save loaded", [], rf"{loaded} 資金 [0-9億万]+円", timeout=40, start=0)

# The market list: coming in by Tab speaks the row there, not only the
# list's name.
step("Tab, Tab: the market list", ["Tab", "Tab"], r"^000\.")

# The trade dialog names the side and the choice with its amount; Down in
# 株数 speaks the new quantity and its amount, Tab the amount's list.
step("Return: the trade dialog", ["Return"], r"^買い 1,000株 [0-9億万]+円 1株[0-9億万]+円相当")
step("Down in 株数", ["Down"], r"買い 2,000株 [0-9億万]+円 1株[0-9億万]+円相当")
step("Tab to 金額", ["Tab"], r"^金額\(手数料計算済み\) combo box",
     then=r"^買い 2,000株 [0-9億万]+円 ")
step("Escape: no trade", ["Escape"], r"市場銘柄")

# A month: its calendar and the cash.
step("Alt+N", ["alt+n"], rf"{next_month} 資金 [0-9億万]+円")

# The help in the game's own window: a document read line by line and
# link by link.
step("F1: the help window", ["F1"], r"ヘルプ.*document")
line = step("Down in the help", ["Down"], r"^(?!down).{4,}$").group(0)
if re.sub(r"\s+", "", line) not in help_text:
    fail(f"the line spoken after Down, {line!r}, is not a line of the help")
step("Tab to a link", ["Tab"], r" リンク")
step("Escape: the help closes", ["Escape"], r"リドルト frame")

# 資産推移: Tab reaches its figures, and its list of months comes in at
# the newest month.
step("Ctrl+Tab to 資産推移", ["ctrl+Tab"] * 4, r"資産推移|経過")
step("Shift+Tab, Tab: the first figure", ["shift+Tab", "Tab"], r"^経過 [0-9年か月]+ label")
for _ in range(12):
    if step("Tab", ["Tab"], r"^月ごとの資産", timeout=4, must=False, then=rf"^{next_month}\."):
        break
else:
    fail("Tab never reached the list of months")

# The winning sale from the holdings list: the side named, the box of the
# won game read out, then how the game ended.
step("Ctrl+Tab to 所有銘柄", ["ctrl+Tab", "ctrl+Tab"], r"所有銘柄")
step(f"typed {winner['id']:03d}", [], rf"^{winner['id']:03d}\.", typed=f"{winner['id']:03d}")
step("Return: the trade dialog", ["Return"], r"^売り [0-9,]+株")
step("End: every lot", ["End"], rf"売り {winner['shares']:,}株")
step("Return: OK", ["Return"], r"おめでとうございます", timeout=20)
step("Return: the box closes", ["Return"], r"3000億円まで \d+年\d+か月", timeout=20)
print("orca-check: Orca spoke every step as the player sees it")
