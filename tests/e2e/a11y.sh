#!/usr/bin/env bash
# The game as a screen reader meets it: the real program in a real X server
# with the desktop's accessibility bus, read over AT-SPI by a11y.py (the
# path Orca takes): the first market row, the status bar, the page tabs and
# the chart, a company selected through the list, the next-month button
# pressed through its action, the chart's months focused by the keys and by
# a click, and the trade dialog's named lists with their labels.
# Usage: a11y.sh <path of the ridolt executable>
set -euo pipefail

# Its own session bus, on which the accessibility bus starts on demand.
if [[ -z "${RIDOLT_A11Y_SESSION:-}" ]]; then
    RIDOLT_A11Y_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

test_name=a11y
source "$(dirname "$0")/session.sh"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/ridolt" >"$work/game.log" 2>&1 &
pids+=($!)
# The system's Python: pyatspi comes with the Debian package.
/usr/bin/python3 "$(dirname "$0")/a11y.py" || fail "the game did not read as it should"
