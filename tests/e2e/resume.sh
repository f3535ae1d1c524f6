#!/usr/bin/env bash
# A closed window loses nothing, played for real in a real X server:
#   slots 0 and 3 saved by the player; F1 on a desktop whose xdg-open finds
#   no program opens the game's own help window; the window closed through
#   the window system (WM_DELETE_WINDOW, as by its close box) with the help
#   still open ends the game with status 0 and keeps the game in a file of
#   its own in savedata/kept/ at its month; the next start leaves that file
#   alone until the game is played, and ロード → 前回の続き(R) brings the game
#   back byte for byte; played on, it stays in that one file: after a pause
#   in play, and when SIGTERM ends the game with status 0, also with a box
#   open; and the slots stay byte for byte as they were, with nothing but
#   the folder kept/ added to the save folder.
# Usage: resume.sh <path of the ridolt executable>
set -euo pipefail

test_name=resume
source "$(dirname "$0")/session.sh"
wm_close="$(dirname "$0")/wm_close.py"

saves="$work/savedata"

# An xdg-open that, like the real one on a desktop without a browser,
# finds no program for the help file.
mkdir "$work/bin"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >"$work/xdg-open.arguments"
echo "xdg-open: no method available for opening '\$1'" >&2
exit 3
EOF
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

start_game() {
    "$work/ridolt" >>"$work/$1.log" 2>&1 &
    game=$!
    pids+=("$game")
    window=$(game_window)
}

# The one game of this test, in its one kept file ($kept), stands at month
# and cash $1.
expect_kept() {
    local files size
    mapfile -t files < <(kept_files "$saves")
    [[ ${#files[@]} == 1 ]] || fail "${#files[@]} games kept, not 1 ($2)"
    kept=${files[0]}
    size=$(stat -c %s "$kept")
    [[ "$size" == 62414 ]] || fail "the kept file holds $size bytes"
    [[ "$(standing "$kept")" == "$1" ]] ||
        fail "the kept game stands at $(standing "$kept"), not $1 ($2)"
    echo "resume: $2: month and cash $1 kept"
}

expect_save_folder() {
    local files
    files=$(cd "$saves" && echo *)
    [[ "$files" == "$1" ]] || fail "the save folder holds $files, not $1"
    (cd "$saves" && sha256sum --quiet -c "$work/slots.sha256") || fail "a slot file changed"
}

# --- First session: two slots, help, months, closed by the window system.
start_game first
keys alt+n alt+n
keys alt+s Return
keys alt+n
keys alt+s Down Down Down Return
wait_for_file "$saves/3savedata.sav"
(cd "$saves" && sha256sum 0savedata.sav* 3savedata.sav*) >"$work/slots.sha256"

keys F1
[[ "$(cat "$work/xdg-open.arguments" 2>/dev/null)" == "$work/ridolt_help.html" ]] ||
    fail "xdg-open was not handed the help file"
help=$(window_named '^リドルト ヘルプ$')
[[ -n "$help" ]] || fail "no help window after xdg-open found no program"
echo "resume: the help opened in the game's own window"

keys alt+n alt+n alt+n alt+n
python3 "$wm_close" "$window"
expect_exit_0 "its window was closed by the window system"
expect_kept "7 2790" "window closed at 1年目8月"
expect_save_folder "0savedata.sav 0savedata.sav.history 3savedata.sav 3savedata.sav.history kept"
cp "$kept" "$work/first-session.sav"

# --- Second session: a new game that is not played keeps its hands off.
start_game second
sleep 4
expect_kept "7 2790" "a new game not played"
cmp -s "$kept" "$work/first-session.sav" || fail "the new game at start-up changed the kept game"
keys alt+l r
# The loaded game, saved to slot 9 (Up from the first slot), is the kept one.
keys alt+s Up Return
wait_for_file "$saves/9savedata.sav"
cmp -s "$saves/9savedata.sav" "$kept" || fail "前回の続き did not bring the kept game back"
echo "resume: 前回の続き brought the game back byte for byte"
(cd "$saves" && sha256sum 9savedata.sav*) >>"$work/slots.sha256"

# A pause of a few seconds keeps the game while it runs, in its one file.
keys alt+n alt+n
sleep 4.5
expect_kept "9 2730" "play paused at 1年目10月"
# SIGTERM right after a month: the close keeps it.
keys alt+n
kill -TERM "$game"
expect_exit_0 "SIGTERM"
expect_kept "10 2700" "SIGTERM at 1年目11月"

# --- Third session: SIGTERM while a question box is open.
start_game third
keys alt+l r
keys alt+n
keys alt+g n
xdotool search --onlyvisible --name '^確認$' >/dev/null 2>&1 || fail "no question box"
kill -TERM "$game"
expect_exit_0 "SIGTERM under a box"
expect_kept "11 2670" "SIGTERM under a box at 1年目12月"
expect_save_folder "0savedata.sav 0savedata.sav.history 3savedata.sav 3savedata.sav.history 9savedata.sav 9savedata.sav.history kept"
echo "resume: the slots are byte for byte as the player saved them"
