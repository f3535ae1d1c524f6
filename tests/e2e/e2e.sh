#!/usr/bin/env bash
# Plays the real game in a real X server, the way a player would:
#   the window appears titled リドルト, and the window system holds the
#   exact titles of a box (確認) and of the trade dialog (株取引); Alt+N
#   advances months; Alt+S and Enter save to slot 0, a 62,414-byte file
#   whose month and cash match what was played; a second start with that
#   file while the trade dialog is open exits 0 and leaves the dialog in
#   front, and the first instance loads the file once the dialog's trade is
#   done; closing the window ends the game.
# Usage: e2e.sh <path of the ridolt executable>
set -euo pipefail

test_name=e2e
source "$(dirname "$0")/session.sh"

"$work/ridolt" >"$work/first.log" 2>&1 &
game=$!
pids+=("$game")

window=$(game_window)
echo "e2e: window $window is up"

# The title as the window system holds it (and a window manager shows it).
title_of() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME([A-Z0-9_]*) = "\(.*\)"$/\1/p'; }
expect_title() {
    local got
    got=$(title_of "$1")
    [[ "$got" == "$2" ]] || fail "window $1 is titled \"$got\", not \"$2\""
}
expect_title "$window" "リドルト"

# The new-game question: titled 確認 alone; Escape answers Cancel.
keys alt+g n
box=$(window_named 確認)
[[ -n "$box" ]] || fail "no question box"
expect_title "$box" "確認"
xdotool key Escape
sleep 0.5
echo "e2e: box and window titles are exact"

# Three months, then a save to slot 0.
keys alt+n alt+n alt+n
keys alt+s Return
slot0="$work/savedata/0savedata.sav"
wait_for_file "$slot0"
size=$(stat -c %s "$slot0")
[[ "$size" == 62414 ]] || fail "slot 0 holds $size bytes"
month=$(int32_at "$slot0" 382)
money=$(int32_at "$slot0" 386)
[[ "$month" == 3 && "$money" == 2910 ]] || fail "slot 0 holds month $month, cash $money"
echo "e2e: slot 0 saved at month $month with cash $money"

# Two more months, then the trade dialog for company 001 (a double-click on
# its row; without a window manager the window sits at the screen's corner).
keys alt+n alt+n
xdotool mousemove 60 140 click --repeat 2 --delay 80 1
dialog=$(window_named 株取引)
[[ -n "$dialog" ]] || fail "no trade dialog"
expect_title "$dialog" "株取引"

# Slot 0 handed to the running game from a second start, under the dialog.
"$work/ridolt" "$slot0" >"$work/second.log" 2>&1 || fail "second start exited $?"
sleep 2
kill -0 "$game" 2>/dev/null || fail "the first instance has gone"
# The second start raised the game's window; its dialog is still in front.
eval "$(xwininfo -id "$dialog" | awk '/Absolute upper-left X/ { print "x=" $4 }
    /Absolute upper-left Y/ { print "y=" $4 } /Width/ { print "w=" $2 } /Height/ { print "h=" $2 }')"
xdotool mousemove $((x + w / 2)) $((y + h / 2))
under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
[[ "$under" == "$dialog" ]] || fail "the trade dialog is hidden behind window $under"
echo "e2e: the trade dialog stayed in front of the raised window"

# OK buys one lot of the game the dialog was opened for; then the handed-over
# file opens, replacing that game.
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key Return
sleep 1
kill -0 "$game" 2>/dev/null || fail "the game ended when the trade was confirmed"

# Saving the handed-over game to slot 1 must give the same bytes as slot 0.
keys alt+s Down Return
slot1="$work/savedata/1savedata.sav"
wait_for_file "$slot1"
cmp -s "$slot0" "$slot1" || fail "the second start's file was not loaded after the trade (slot 1 differs)"
echo "e2e: the second start handed slot 0 over and it was loaded after the trade"

# Closing the window (ゲーム → 終了) ends the process.
keys alt+g x
expect_exit_0 "its window closed"
echo "e2e: closing the window ended the game"
