#!/usr/bin/env bash
# An hour of play, in minutes: the real game in a real X server, driven by
# the keyboard and read over the accessibility bus as a screen reader reads
# it (play.py): " ７ " typed in the seed box is seed 7; 40 quick presses of
# Alt+N play 40 months; 自動進行 runs from F5 and stops on Esc, and stops
# by itself at a refused month; 資産推移 has the window's central area at
# 1000×720; and a game won by a sale leaves its record, which 記録 lists.
# Usage: play.sh <path of the ridolt executable> <path of ridolt-sim>
set -euo pipefail

# Its own session bus, on which the accessibility bus starts on demand.
if [[ -z "${RIDOLT_PLAY_SESSION:-}" ]]; then
    RIDOLT_PLAY_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

test_name=play
source "$(dirname "$0")/session.sh"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/ridolt" >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")
# The system's Python: pyatspi comes with the Debian package.
RIDOLT_WORK="$work" /usr/bin/python3 "$(dirname "$0")/play.py" "$work/ridolt" "$(readlink -f "$2")" ||
    fail "the game did not play as it should"
expect_exit_0 "ゲーム → 終了"
echo "play: passed"
