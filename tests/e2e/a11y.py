"""Reads the running game the way a screen reader does, over AT-SPI.

Prints what a screen reader would have to say (the first market row with
its description, the status bar, the chart, the page tabs and their list's
name), selects a company through the list's table interface, presses the
next-month button through its action and finds the month and the cash in
a notification, reads out the chart's months from the keyboard (the month
read out is the list item that has the focus) and by a click, comes into
the market list by Tab (its row gets the focus after the list), opens the
trade dialog from the keyboard and reads its lists, their names and the
choice they describe, turns to 資産推移 and reads its figures, which Tab
reaches, and its list of months, and its chart's months from the keyboard
as the price chart's, and checks every step.  Exits 1 with a message on
the first check that fails.
"""

import re
import subprocess
import time

import pyatspi

from e2e_common import application, descendants, fail, first, say, wait_for
from gi.repository import GLib


def states(node):
    return {pyatspi.stateToString(state) for state in node.getState().getStates()}


game = wait_for("game on the accessibility bus", lambda: application("ridolt"))
frame = wait_for("window リドルト", lambda: first(game, "frame", "リドルト"))
say(f"window: {frame.name}")

market = wait_for("market list", lambda: first(frame, "tree", "市場銘柄"))
table = market.queryTable()
if table.nRows != 1000:
    fail(f"the market list has {table.nRows} rows")
headers = [table.getColumnHeader(column).name for column in range(table.nColumns)]
cells = [table.getAccessibleAt(0, column).name for column in range(table.nColumns)]
say(f"market list {market.name}, {table.nRows} rows; columns: {' | '.join(headers)}")
say(f"first row: {' | '.join(cells)}")
if headers[:2] != ["▲ID", "株価"] or cells[0] != "000" or not cells[1].endswith("円"):
    fail(f"unexpected first row {cells} under {headers}")

# Each row describes what buying its company would take: a screen reader
# hears it as the description of the row's cells.
hint = table.getAccessibleAt(0, 1).description
say(f"first row described: {hint!r}")
if not hint.startswith("1,000株 ") or "(手数料込み)\n資金で買えるのは最大 " not in hint:
    fail(f"the first market row is described as {hint!r}")

bar = first(frame, "status bar")
panels = [label.name for label in descendants(bar) if label.getRoleName() == "label"]
say(f"status bar: {' | '.join(name for name in panels if name)}")
if "1年目1月" not in panels or "資金 3000万円" not in panels:
    fail(f"status bar reads {panels}")

tabs = [tab for tab in descendants(frame) if tab.getRoleName() == "page tab"]
shown = [tab.name for tab in tabs if "selected" in states(tab)]
say(f"page tabs: {', '.join(tab.name for tab in tabs)}; shown: {', '.join(shown)}")
if shown != ["市場銘柄"]:
    fail(f"the tabs say {shown} is shown")
tab_lists = [node.name for node in descendants(frame) if node.getRoleName() == "page tab list"]
say(f"page tab lists: {', '.join(tab_lists)}")
if tab_lists != ["ページ"]:
    fail(f"the page tab lists are named {tab_lists}")

chart = first(frame, "chart")
say(f"chart: {chart.name}")
if chart.name != "株価推移":
    fail(f"the empty chart is named {chart.name!r}")

# A company picked through the list's table interface is charted.
table.addRowSelection(5)
wait_for("chart of company 005", lambda: chart.name == "ID:005 株価推移")
say(f"chart: {chart.name}: {chart.description}")
if chart.description.count("月 ") != 12 or "最新の株価" not in chart.description:
    fail(f"the chart describes itself as {chart.description!r}")

button = first(frame, "push button", "次の月へ(N)")
if button is None:
    fail("no button 次の月へ")
action = button.queryAction()
names = [action.getName(index) for index in range(action.nActions)]
action.doAction(names.index("Press") if "Press" in names else 0)
month = next(label for label in descendants(bar) if label.name == "1年目1月")
wait_for("the second month", lambda: month.name == "1年目2月")
say(f"pressed {button.name}: status bar reads {month.name}")
# The month and the cash, told to a screen reader as a notification.
news = wait_for("the month's notification", lambda: next(
    (node for node in descendants(frame) if node.getRoleName() == "notification"
     and node.name == "1年目2月 資金 2970万円"), None))
say(f"notification: {news.name}")

# A trade dialog opened from the keyboard (Tab to the list, Down to a row,
# Enter on it): its two lists are announced with the labels that name them.
def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "150", *names], check=True)
    time.sleep(0.3)


def tab_to(node, what):
    for _ in range(20):
        if "focused" in states(node):
            return
        key("Tab")
    if "focused" not in states(node):
        fail(f"Tab never reaches {what}")


subprocess.run(["xdotool", "search", "--name", "^リドルト$", "windowfocus", "--sync"], check=True)

# The chart, reached by Tab, reads out a month for each key: its text, and
# a text-changed event; and the month read out is the list item of the
# chart that has the focus, which a screen reader speaks as it speaks the
# focused row of a list.
announced = []
focused = []


def heard(event):
    if event.source == chart:
        announced.append(event.any_data)


def heard_focus(event):
    if event.detail1 and event.source.getRoleName() == "list item" \
            and event.source.parent.getRoleName() == "chart":
        focused.append(event.source.name)


focus_moves = []


def heard_focus_move(event):
    if event.detail1:
        focus_moves.append(event.source)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def chart_text(of=None):
    pump()
    text = (of or chart).queryText()
    return text.getText(0, text.characterCount)


def months():
    return [chart.getChildAtIndex(index) for index in range(chart.childCount)]


pyatspi.Registry.registerEventListener(heard, "object:text-changed:insert")
pyatspi.Registry.registerEventListener(heard_focus, "object:state-changed:focused")
tab_to(chart, "the chart")
def read_out(month, of=None):
    text = chart_text(of)
    return text if text.startswith(month + " ") else None


key("End")
latest = wait_for("the latest month read out", lambda: read_out("2月"))
key("Left")
before = wait_for("the month before read out", lambda: read_out("1月"))
wait_for("the months announced", lambda: chart_text() and len(announced) >= 2)
wait_for("the months focused", lambda: chart_text() and focused[-2:] == [latest, before])
say(f"chart read out: {latest} / {before}; announced: {' / '.join(announced)}")
if "(前月比 " not in latest or announced[-2:] != [latest, before]:
    fail(f"the chart read out {latest!r} and {before!r}, announced {announced!r}")
items = [(month.getRoleName(), month.name, "focused" in states(month)) for month in months()]
say(f"chart months: {len(items)} {items[0][0]}s; focused: {[name for _, name, on in items if on]}")
if len(items) != 12 or items[10] != ("list item", before, True) \
        or [on for _, _, on in items].count(True) != 1:
    fail(f"the chart's months are {items}")

# A click on a month gives the chart the keys and the month the focus.
third = months()[2]
box = third.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                str(box.y + box.height // 2), "click", "1"], check=True)
clicked = wait_for("the month clicked focused",
                   lambda: chart_text() and focused[-1:] == [third.name] and focused[-1])
pyatspi.Registry.deregisterEventListener(heard, "object:text-changed:insert")
pyatspi.Registry.deregisterEventListener(heard_focus, "object:state-changed:focused")
say(f"chart clicked: {clicked}; focused: {' / '.join(focused)}")
if chart_text() != clicked or not clicked.startswith("5月 "):
    fail(f"the click read out {chart_text()!r}, focused {clicked!r}")

# Coming into the market list by Tab, its row gets the focus after the
# list itself, so a screen reader speaks the row and not the list alone.
def row_focused_last():
    pump()
    last = focus_moves[-1] if focus_moves else None
    if last is not None and last.getRoleName() == "table cell" and last.parent == market:
        return last.name
    return None


pyatspi.Registry.registerEventListener(heard_focus_move, "object:state-changed:focused")
tab_to(market, "the market list")
cell = wait_for("row of the market list focused after the list", row_focused_last)
pyatspi.Registry.deregisterEventListener(heard_focus_move, "object:state-changed:focused")
say(f"market list came in at row {cell}")
key("Down", "Return")
dialog = wait_for("trade dialog", lambda: first(game, "dialog", "株取引"))


def labelled(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return None


lists = [(labelled(combo), combo.name, combo.description) for combo in descendants(dialog)
         if combo.getRoleName() == "combo box"]
for label, value, described in lists:
    say(f"trade dialog list {label}: {value} ({described})")
if [label for label, _, _ in lists] != ["株数", "金額(手数料計算済み)"] or lists[0][1] != "1":
    fail(f"the trade dialog's lists read {lists}")
# Both describe the choice: the side, the shares, the amount, per share.
if len({described for _, _, described in lists}) != 1 \
        or not re.fullmatch(r"買い 1,000株 \S+円 1株\S+円相当", lists[0][2]):
    fail(f"the trade dialog's lists describe {[described for _, _, described in lists]}")
tabs = [tab.name for tab in descendants(dialog)
        if tab.getRoleName() == "page tab" and "selected" in states(tab)]
say(f"trade dialog tabs shown: {', '.join(tabs)}")
if tabs != ["銘柄情報", "買い"]:
    fail(f"the trade dialog says {tabs} is shown")
named = sorted((node.getRoleName(), node.name) for node in descendants(dialog)
               if node.getRoleName() in ("page tab list", "tree"))
say(f"trade dialog names: {', '.join(f'{name} ({role})' for role, name in named)}")
if named != [("page tab list", "売買"), ("page tab list", "銘柄"), ("tree", "銘柄情報")]:
    fail(f"the trade dialog's tab lists and list are named {named}")

# 資産推移: the page tab pressed through its action shows the months played
# as a list a screen reader reads cell by cell under its headers, and a
# chart named after the page that describes the game's span.
key("Escape")
wait_for("the trade dialog closed", lambda: first(game, "dialog", "株取引") is None)
assets_tab = next((tab for tab in descendants(frame)
                   if tab.getRoleName() == "page tab" and tab.name == "資産推移"), None)
if assets_tab is None:
    fail("no page tab 資産推移")
tab_action = assets_tab.queryAction()
tab_names = [tab_action.getName(index) for index in range(tab_action.nActions)]
tab_action.doAction(tab_names.index("Press") if "Press" in tab_names else 0)
wait_for("資産推移 shown", lambda: "selected" in states(assets_tab))
months = wait_for("list of months", lambda: first(frame, "tree", "月ごとの資産"))
month_table = months.queryTable()
month_headers = [month_table.getColumnHeader(column).name
                 for column in range(month_table.nColumns)]
month_rows = [[month_table.getAccessibleAt(row, column).name
               for column in range(month_table.nColumns)] for row in range(month_table.nRows)]
say(f"list {months.name}: {' | '.join(month_headers)}; "
    + " / ".join(" | ".join(row) for row in month_rows))
if month_headers != ["年月", "資金", "株式評価額", "総資産", "前月比"]:
    fail(f"the list of months has the columns {month_headers}")
if [row[0] for row in month_rows] != ["1年目2月", "1年目1月"] or month_rows[0][4] != "-30万円":
    fail(f"the list of months reads {month_rows}")
# The figures of the game, each a label that Tab reaches.
figures = [node for node in descendants(frame) if node.getRoleName() == "label"
           and node.name.startswith(("経過 ", "総資産 ", "最高 ", "取引回数 ", "手数料 ", "税 ",
                                     "シード "))]
say(f"資産推移 figures: {' | '.join(node.name for node in figures)}")
if len(figures) != 7 or any("focusable" not in states(node) for node in figures):
    fail(f"the figures of 資産推移 are {[(node.name, states(node)) for node in figures]}")
asset_chart = wait_for("chart 資産推移", lambda: next(
    (node for node in descendants(frame)
     if node.name == "資産推移" and node.getRoleName() != "page tab"), None))
say(f"chart {asset_chart.name} ({asset_chart.getRoleName()}): {asset_chart.description}")
if not asset_chart.description.startswith("1年目1月から1年目2月まで、総資産 3000万円から2970万円"):
    fail(f"the chart 資産推移 describes itself as {asset_chart.description!r}")

# The chart of 資産推移 comes before its list by Tab and reads out its
# months as the price chart does: each key gives the focus to the month it
# reads out, a list item named by the read-out.
# The closed dialog took the keyboard with it, there being no window
# manager to give it back.
subprocess.run(["xdotool", "search", "--name", "^リドルト$", "windowfocus", "--sync"], check=True)
pyatspi.Registry.registerEventListener(heard_focus, "object:state-changed:focused")
tab_to(asset_chart, "the chart 資産推移")
key("End")
asset_latest = wait_for("the latest month of 資産推移 read out",
                        lambda: read_out("1年目2月", asset_chart))
key("Left")
asset_first = wait_for("the first month of 資産推移 read out",
                       lambda: read_out("1年目1月", asset_chart))
wait_for("the months of 資産推移 focused",
         lambda: chart_text(asset_chart) and focused[-2:] == [asset_latest, asset_first])
pyatspi.Registry.deregisterEventListener(heard_focus, "object:state-changed:focused")
asset_items = [asset_chart.getChildAtIndex(index) for index in range(asset_chart.childCount)]
asset_focused = [(item.getRoleName(), item.name) for item in asset_items
                 if "focused" in states(item)]
say(f"chart {asset_chart.name} read out: {asset_latest} / {asset_first}; "
    f"{len(asset_items)} months, focused: {asset_focused}")
# The game's market came from its seed: each month ends with the trend
# rules' 総資産, which the drawn seed decides.
if not asset_latest.startswith("1年目2月 総資産 2970万円 (資金 2970万円, 株式 0円, "
                               "前月比 -30万円 -1.00%) トレンド戦略 ") \
        or not asset_first.startswith("1年目1月 総資産 3000万円 (資金 3000万円, 株式 0円) トレンド戦略 "):
    fail(f"the chart 資産推移 read out {asset_latest!r} and {asset_first!r}")
if len(asset_items) != 2 or asset_focused != [("list item", asset_first)]:
    fail(f"the months of the chart 資産推移 are {asset_items}, focused {asset_focused}")
key("Tab")
if "focused" not in states(months):
    fail("Tab from the chart 資産推移 does not reach its list of months")
say(f"Tab from the chart: {months.name}")
