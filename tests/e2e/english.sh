#!/usr/bin/env bash
# The game in English, read over the desktop's accessibility bus as a
# screen reader reads it (english.py): no character of Japanese script in
# any name, description or text of the menus, the five pages, the trade
# dialog, the seed box, the load and save menus, the boxes of a refused
# month, a game over and a game won, and the help window.
# Usage: english.sh <path of the ridolt executable> <path of ridolt-sim>
set -euo pipefail

# Its own session bus, on which the accessibility bus starts on demand.
if [[ -z "${RIDOLT_ENGLISH_SESSION:-}" ]]; then
    RIDOLT_ENGLISH_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

test_name=english
source "$(dirname "$0")/session.sh"

# An xdg-open that finds no program for the help file, so that the game
# opens it in its own help window.
mkdir "$work/bin"
printf '#!/bin/sh\nexit 3\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/ridolt" --language en >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")
# The system's Python: pyatspi comes with the Debian package.
RIDOLT_WORK="$work" /usr/bin/python3 "$(dirname "$0")/english.py" "$work/ridolt" "$(readlink -f "$2")" ||
    fail "the English game did not read as it should"
expect_exit_0 "Game → Exit"
echo "english: passed"
