#!/usr/bin/env bash
# What the Orca screen reader speaks of the game, for a person to read: the
# real program in a real X server with a window manager, Orca reading it
# with its debug log on, driven from the keyboard: Tab to the chart and its
# months by Left, Right, Home and End; Ctrl+Tab through the pages; the trade
# dialog opened from the market list and walked by Shift+Tab.  Prints every
# line that Orca spoke ("SPEECH OUTPUT") under the step after which it came
# (Orca may still be speaking one step when the next begins).
#
# Not run by ctest: it needs orca and openbox, which the project's set-up
# does not install (apt-get install orca openbox).  It checks nothing
# itself; what it prints is the evidence.
# Usage: orca-check.sh <path of the ridolt executable> [file for Orca's whole debug log]
set -euo pipefail

for tool in orca openbox; do
    command -v "$tool" >/dev/null || { echo "orca-check: needs $tool (apt-get install orca openbox)" >&2; exit 2; }
done

# Its own session bus, on which the accessibility bus starts on demand.
if [[ -z "${RIDOLT_ORCA_SESSION:-}" ]]; then
    RIDOLT_ORCA_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

test_name=orca-check
source "$(dirname "$0")/session.sh"
debug_copy=${2:-}

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
# Qt speaks AT-SPI at once, without waiting to be asked by the desktop.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$work/ridolt" >"$work/game.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --name '^リドルト$' | head -n 1) ||
    fail "no window titled リドルト"

debug="$work/orca-debug.out"
orca --replace --debug-file="$debug" >"$work/orca.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q "SPEECH OUTPUT" "$debug" 2>/dev/null && break; sleep 0.2; done
sleep 2

# After each step, what Orca spoke since the step before.
spoken=0
step() {
    echo "== $1"
    shift
    xdotool key --delay 400 "$@"
    sleep 3
    local size
    size=$(stat -c %s "$debug")
    tail -c +$((spoken + 1)) "$debug" | head -c $((size - spoken)) |
        sed -n 's/^.*SPEECH OUTPUT: /   /p'
    spoken=$size
}

xdotool windowactivate --sync "$window" 2>/dev/null || true
sleep 2
# A company charted: the market list's first rows are selected by Down.
step "Tab to the market list, Down" Tab Tab Down
step "Tab to the chart" Tab
step "Left" Left
step "Left" Left
step "Right" Right
step "Home" Home
step "End" End
step "Shift+Tab, Shift+Tab to the page tabs" shift+Tab shift+Tab
step "Ctrl+Tab to the holdings page" ctrl+Tab
step "Ctrl+Tab to the balance page" ctrl+Tab
step "Ctrl+Shift+Tab back" ctrl+shift+Tab ctrl+shift+Tab
step "Tab to the market list, Return: the trade dialog" Tab Return
sleep 1
step "Shift+Tab through the dialog" shift+Tab
step "Shift+Tab" shift+Tab
step "Shift+Tab" shift+Tab
step "Shift+Tab" shift+Tab
step "Escape" Escape

[[ -z "$debug_copy" ]] || cp "$debug" "$debug_copy"
