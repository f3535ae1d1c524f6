#!/usr/bin/env bash
# No game is ever lost, played for real in a real X server:
#   a resume.sav left by an earlier version (a game of seed 7 played by
#   ridolt-sim) moves into savedata/kept/ at the first start; a first run
#   plays, saves slot 0 and is closed by the window system; a second run
#   plays one month and closes after the quiet moment; a third run loads
#   the first run's game from ロード → 保存していないゲーム(K) exactly as it
#   was, plays a month on it in its own file, and a second start handing
#   over slot 0 keeps that month before replacing the game; a confirmed
#   ニューゲーム keeps the game it replaced; kill -9 loses only the months
#   since the last quiet moment, and the next run plays that game on in its
#   file; two copies of the game at once (two runtime folders) that both
#   load it keep both games, each whole in a file of its own; and the slots
#   stay byte for byte as the player saved them throughout.
# Usage: kept.sh <path of the ridolt executable> <path of ridolt-sim>
set -euo pipefail

test_name=kept
sim=$(readlink -f "$2")
source "$(dirname "$0")/session.sh"
wm_close="$(dirname "$0")/wm_close.py"

saves="$work/savedata"

# Starts the game with its log in $work/$1.log and the rest of the arguments
# on its command line; $game and $window are the new game's.
start_game() {
    local log=$1
    shift
    "$work/ridolt" "$@" >>"$work/$log.log" 2>&1 &
    game=$!
    pids+=("$game")
    window=$(game_window "$game")
}

kept_count() { kept_files "$saves" | wc -l; }
newest_kept() { kept_files "$saves" | sed -n 1p; }

# The kept file $1 is whole and stands at month and cash $2 (what $3 says).
expect_standing() {
    local size
    [[ -f "$1" ]] || fail "no kept file $1 ($3)"
    size=$(stat -c %s "$1")
    [[ "$size" == 62414 ]] || fail "$1 holds $size bytes ($3)"
    [[ "$(standing "$1")" == "$2" ]] || fail "$(basename "$1") stands at $(standing "$1"), not $2 ($3)"
    echo "kept: $3: $(basename "$1") at month and cash $2"
}

expect_count() {
    [[ "$(kept_count)" == "$1" ]] || fail "$(kept_count) games kept, not $1 ($2)"
}

# The slots as the player saved them, and nothing else beside them but kept/.
expect_slots() {
    local files
    files=$(cd "$saves" && echo *)
    [[ "$files" == "$1" ]] || fail "the save folder holds $files, not $1"
    (cd "$saves" && sha256sum --quiet -c "$work/slots.sha256") || fail "a slot file changed"
}

# The OK of the question box (Cancel is its default button).
answer_ok() {
    local box
    box=$(window_named '^確認$')
    [[ -n "$box" ]] || fail "no question box"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key --delay 150 shift+Tab space
    sleep 0.5
}

# --- Before the first run: an earlier version's resume.sav and its history.
mkdir -p "$saves"
"$sim" run --seed 7 --months 5 --strategy idle --save "$saves/resume.sav" >/dev/null
cp "$saves/resume.sav" "$work/migrated.sav"
cp "$saves/resume.sav.history" "$work/migrated.sav.history"

# --- First run: resume.sav moves in; seven months, slot 0 after three.
start_game first
[[ ! -e "$saves/resume.sav" && ! -e "$saves/resume.sav.history" ]] || fail "resume.sav is still there"
expect_count 1 "resume.sav moved in"
migrated=$(newest_kept)
cmp -s "$migrated" "$work/migrated.sav" || fail "resume.sav changed on its way into kept/"
cmp -s "$migrated.history" "$work/migrated.sav.history" || fail "its history changed on the way"
echo "kept: resume.sav and its history moved into kept/ unchanged"
keys alt+n alt+n alt+n
keys alt+s Return
wait_for_file "$saves/0savedata.sav"
(cd "$saves" && sha256sum 0savedata.sav 0savedata.sav.history) >"$work/slots.sha256"
keys alt+n alt+n alt+n alt+n
python3 "$wm_close" "$window"
expect_exit_0 "the first run's window was closed"
expect_count 2 "the first run closed"
first=$(newest_kept)
expect_standing "$first" "7 2790" "the first run closed at 1年目8月"
cp "$first" "$work/first.sav"
cp "$first.history" "$work/first.sav.history"
expect_slots "0savedata.sav 0savedata.sav.history kept"

# --- Second run: one month, then the quiet moment keeps it before the close.
start_game second
keys alt+n
sleep 4
expect_count 3 "the second run paused"
second=$(newest_kept)
expect_standing "$second" "1 2970" "the second run paused at 1年目2月"
python3 "$wm_close" "$window"
expect_exit_0 "the second run's window was closed"
expect_count 3 "the second run closed"
cmp -s "$first" "$work/first.sav" || fail "the second run changed the first run's game"

# --- Third run: the first run's game, second in 保存していないゲーム(K).
start_game third
keys alt+l k Down Return
keys alt+s Up Return
wait_for_file "$saves/9savedata.sav"
cmp -s "$saves/9savedata.sav" "$work/first.sav" ||
    fail "保存していないゲーム did not bring the first run's game back as it was"
cmp -s "$saves/9savedata.sav.history" "$work/first.sav.history" ||
    fail "the first run's game came back without its history"
echo "kept: 保存していないゲーム brought the first run's game back byte for byte, history too"
(cd "$saves" && sha256sum 9savedata.sav 9savedata.sav.history) >>"$work/slots.sha256"

# Played on, it stays in its own file; a second start hands slot 0 over at
# once, and the month just played is kept before slot 0 replaces it.
keys alt+n
"$work/ridolt" "$saves/0savedata.sav" >"$work/hand-off.log" 2>&1 || fail "the second start exited $?"
expect_count 3 "a hand-off over the first run's game played on"
expect_standing "$first" "8 2760" "kept before the hand-off replaced it"

# The handed-over game played, then a confirmed ニューゲーム: kept first.
keys alt+n alt+n
keys alt+g n
answer_ok
expect_count 4 "a confirmed ニューゲーム"
replaced=$(newest_kept)
expect_standing "$replaced" "5 2850" "slot 0's game played, kept before the new game"

# --- kill -9: two months and a quiet moment, three more months, killed.
keys alt+n alt+n
sleep 4
expect_count 5 "the new game paused"
killed=$(newest_kept)
expect_standing "$killed" "2 2940" "the new game paused at 1年目3月"
keys alt+n alt+n alt+n
kill -KILL "$game"
wait "$game" 2>/dev/null || true
expect_standing "$killed" "2 2940" "killed three months after the quiet moment"
expect_slots "0savedata.sav 0savedata.sav.history 9savedata.sav 9savedata.sav.history kept"

# --- Fourth run: 前回の続き is the killed game, played on in its own file
# (its lock, left by the killed run, taken over).
start_game fourth
keys alt+l r
keys alt+n
sleep 4
expect_count 5 "the killed game played on"
expect_standing "$killed" "3 2910" "the killed game played on to 1年目4月"
kill -TERM "$game"
expect_exit_0 "SIGTERM"

# --- Two copies at once, each with a runtime folder of its own (as two
# sessions of one user), both loading the killed game and playing on.
kept_files "$saves" | sort >"$work/before-copies"
XDG_RUNTIME_DIR="$work/run-a" && mkdir -m 700 "$XDG_RUNTIME_DIR"
start_game copy-a
window_a=$window game_a=$game
keys alt+l r
XDG_RUNTIME_DIR="$work/run-b" && mkdir -m 700 "$XDG_RUNTIME_DIR"
start_game copy-b
window_b=$window game_b=$game
[[ "$window_a" != "$window_b" ]] || fail "the second copy handed off instead of running"
keys alt+l r
keys alt+n alt+n
window=$window_a
keys alt+n
python3 "$wm_close" "$window_a"
python3 "$wm_close" "$window_b"
game=$game_a && expect_exit_0 "the first copy was closed"
game=$game_b && expect_exit_0 "the second copy was closed"
expect_count 6 "two copies played one game on"
expect_standing "$killed" "4 2880" "the first copy played on in its file"
added=$(kept_files "$saves" | sort | comm -13 "$work/before-copies" -)
expect_standing "$added" "5 2850" "the second copy played on in a file of its own"
for file in $(kept_files "$saves"); do
    head -n 1 "$file.history" | grep -qx 'ridolt-history 2' || fail "$file has no whole history"
    grep -qx "save $(sha256sum <"$file" | cut -d' ' -f1)" "$file.history" ||
        fail "$file.history holds no road of its save"
    tail -n 1 "$file.history" | grep -qx 'end' || fail "$file.history is cut"
done
leftovers=$(cd "$saves/kept" && ls | grep -Ev '^[0-9]{8}-[0-9]{6}-[0-9a-f]{8}\.sav(\.history)?$' || true)
[[ -z "$leftovers" ]] || fail "left in kept/: $leftovers"
expect_slots "0savedata.sav 0savedata.sav.history 9savedata.sav 9savedata.sav.history kept"
echo "kept: the slots are byte for byte as the player saved them"
