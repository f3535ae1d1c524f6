#!/usr/bin/env bash
# Plays the real game in a real X server, the way a player would:
#   the window appears titled リドルト; Alt+N advances months; Alt+S and
#   Enter save to slot 0, a 62,414-byte file whose month and cash match
#   what was played; a second start with that file hands it to the first
#   instance, which loads it, and exits 0; closing the window ends the game.
# Usage: e2e.sh <path of the ridolt executable>
set -euo pipefail

executable=$(readlink -f "$1")
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "e2e: FAIL: $*" >&2; exit 1; }

# A portable copy of the game: its save folder is created beside it.
cp "$executable" "$work/ridolt"
[[ -f "$(dirname "$executable")/ridolt_help.html" ]] && cp "$(dirname "$executable")/ridolt_help.html" "$work/"

# A private X server and a private user session for the single-instance socket.
display=":$((90 + RANDOM % 500))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" QT_QPA_PLATFORM=xcb
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$HOME"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

"$work/ridolt" >"$work/first.log" 2>&1 &
game=$!
pids+=("$game")

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name '^リドルト$' 2>/dev/null | head -n 1) && [[ -n "$window" ]] && break
    sleep 0.2
done
[[ -n "$window" ]] || fail "no window titled リドルト"
echo "e2e: window $window is up"

keys() {
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    xdotool key --delay 150 "$@"
    sleep 0.5
}

int32_at() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

wait_for_file() {
    for _ in $(seq 50); do [[ -f "$1" ]] && return 0; sleep 0.2; done
    fail "$1 was not written"
}

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

# Two more months, then hand slot 0 to the running game from a second start.
keys alt+n alt+n
"$work/ridolt" "$slot0" >"$work/second.log" 2>&1 || fail "second start exited $?"
# The running game opens the file from its event loop, right after answering.
sleep 2
kill -0 "$game" 2>/dev/null || fail "the first instance has gone"

# Saving the handed-over game to slot 1 must give the same bytes as slot 0.
keys alt+s Down Return
slot1="$work/savedata/1savedata.sav"
wait_for_file "$slot1"
cmp -s "$slot0" "$slot1" || fail "the second start's file was not loaded (slot 1 differs)"
echo "e2e: the second start handed slot 0 over and it was loaded"

# Closing the window (ゲーム → 終了) ends the process.
keys alt+g x
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.2; done
kill -0 "$game" 2>/dev/null && fail "the game is still running after its window closed"
wait "$game" || fail "the game exited with $?"
echo "e2e: closing the window ended the game"
