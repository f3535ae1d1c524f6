#!/usr/bin/env bash
# What the Orca screen reader speaks of the game, checked: the real program
# in a real X server with a window manager, Orca 43 reading it over AT-SPI
# with its debug log on, driven from the keyboard as a blind player drives
# it.  orca-check.py presses the keys and checks Orca's "SPEECH OUTPUT"
# lines after each step (the trade dialog, a month, the help, 資産推移 and a
# winning sale from a game saved by ridolt-sim a month before its goal).
#
# The session is the test's own: a private D-Bus session bus (and the
# accessibility bus on it), X server, home, speech-dispatcher (its own
# socket, audio to ALSA's null device: with no sound card Orca would wait
# for speech that never ends) and Orca (started by orca-run.py, which keeps
# other users' Orcas alone).  Every process it starts is ended by its PID.
# Exits 77 (skipped) where orca, openbox or speech-dispatcher is missing.
# Usage: orca-check.sh <ridolt executable> <ridolt-sim executable> [copy of Orca's debug log]
set -euo pipefail

for tool in orca openbox speech-dispatcher; do
    command -v "$tool" >/dev/null || { echo "orca-check: SKIP: needs $tool (scripts/setup.sh installs it)" >&2; exit 77; }
done

# Its own session bus, on which the accessibility bus starts on demand.
if [[ -z "${RIDOLT_ORCA_SESSION:-}" ]]; then
    RIDOLT_ORCA_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

test_name=orca-check
source "$(dirname "$0")/session.sh"
simulator=$(readlink -f "$2")
debug_copy=${3:-}
debug="$work/orca-debug.out"
keep_debug() { [[ -z "$debug_copy" || ! -f "$debug" ]] || cp "$debug" "$debug_copy"; }
trap 'keep_debug; cleanup' EXIT

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

# speech-dispatcher on a socket of this session, in the foreground, its
# sound going nowhere.
cp -r /etc/speech-dispatcher "$work/speechd"
printf 'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n' >>"$work/speechd/speechd.conf"
socket="$XDG_RUNTIME_DIR/speechd.sock"
speech-dispatcher --run-single --timeout 0 --config-dir "$work/speechd" \
    --socket-path "$socket" --log-dir "$work" \
    >"$work/speechd.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -S "$socket" ]] && break; sleep 0.1; done
[[ -S "$socket" ]] || fail "speech-dispatcher did not start"
# Orca's client finds it there, and never starts one of its own.
export SPEECHD_ADDRESS="unix_socket:$socket"

# A game saved a month before its goal: the trend rules won seed 7 by a
# sale in its 417th month.  The month after it, as Alt+N plays it (the same
# market: the save brings its seed), tells which sale wins then.
"$simulator" run --seed 7 --months 415 --strategy trend --save "$work/near-goal.sav" >/dev/null
"$simulator" run --seed 7 --load "$work/near-goal.sav" --months 1 --strategy idle \
    --save "$work/next-month.sav" >/dev/null
"$simulator" inspect "$work/near-goal.sav" >"$work/near-goal.json"
"$simulator" inspect "$work/next-month.sav" >"$work/next-month.json"

/usr/bin/python3 "$(dirname "$0")/orca-run.py" --debug-file="$debug" >"$work/orca.log" 2>&1 &
pids+=($!)
for _ in $(seq 150); do grep -q "SPEECH OUTPUT" "$debug" 2>/dev/null && break; sleep 0.2; done
grep -q "SPEECH OUTPUT" "$debug" 2>/dev/null || fail "Orca did not start speaking"

# An xdg-open that finds no program for the help file, as on a desktop
# without a browser: the game opens its own help window.
mkdir -p "$work/bin"
printf '#!/bin/sh\nexit 3\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

# Qt speaks AT-SPI at once, without waiting to be asked by the desktop.
PATH="$work/bin:$PATH" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$work/ridolt" "$work/near-goal.sav" >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")
window=$(game_window)
xdotool windowactivate --sync "$window" 2>/dev/null || true

/usr/bin/python3 "$(dirname "$0")/orca-check.py" "$debug" "$work/near-goal.json" \
    "$work/next-month.json" "$work/ridolt_help.html" || fail "Orca did not speak what the player sees"
