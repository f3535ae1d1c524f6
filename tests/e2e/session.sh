# What the end-to-end tests share, sourced by them with the path of the
# ridolt executable in $1: a scratch folder ($work) removed at the end with
# every process listed in $pids, fail() that prints the logs of $work, a
# portable copy of the game ($work/ridolt, its save folder beside it), a
# private X server on a display nobody uses, a private user session
# (runtime folder for the single-instance socket, home), and helpers to
# find the game's windows, press keys in it, read save files and see the
# game ($game) end.  $test_name names the test in its messages.

executable=$(readlink -f "$1")
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "$test_name: FAIL: $*" >&2
    for log in "$work"/*.log; do
        [[ -s "$log" ]] && { echo "--- $(basename "$log"):" >&2; cat "$log" >&2; }
    done
    exit 1
}

cp "$executable" "$work/ridolt"
for help in ridolt_help.html ridolt_help.en.html; do
    if [[ -f "$(dirname "$executable")/$help" ]]; then cp "$(dirname "$executable")/$help" "$work/"; fi
done

# Xvfb picks a free display and writes its number once it accepts clients.
# It keeps running as it is when its last client goes (no reset), so a game
# started right after another one was killed finds it there.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 300); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || fail "the X server did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" QT_QPA_PLATFORM=xcb
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$HOME"

# The newest visible window whose title matches the pattern $1, waited for
# $2 tenths of a second (50 unless given); nothing when none came.
window_named() {
    local id=""
    for _ in $(seq "${2:-50}"); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1) && [[ -n "$id" ]] && break
        sleep 0.1
    done
    echo "$id"
}

# The id of the game's main window (titled リドルト alone), once it is up;
# with a pid in $1, the window of that process.
game_window() {
    local id=""
    if [[ -n "${1:-}" ]]; then
        for _ in $(seq 200); do
            id=$(xdotool search --all --onlyvisible --pid "$1" --name '^リドルト$' 2>/dev/null | tail -n 1) &&
                [[ -n "$id" ]] && break
            sleep 0.1
        done
    else
        id=$(window_named '^リドルト$' 200)
    fi
    [[ -n "$id" ]] || fail "no window titled リドルト"
    echo "$id"
}

# Presses keys in the window $window, then lets the game catch up.
keys() {
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    xdotool key --delay 150 "$@"
    sleep 0.5
}

# The signed 32-bit number at byte offset $2 of file $1 (a save file's month
# is at 382, its cash at 386).
int32_at() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

# The kept games of the save folder $1, most recently played first.
kept_files() {
    local file
    for file in $(ls -t "$1/kept" 2>/dev/null); do
        [[ "$file" =~ ^[0-9]{8}-[0-9]{6}-[0-9a-f]{8}\.sav$ ]] && echo "$1/kept/$file"
    done
    return 0
}

# Where the game of save file $1 stands: "month cash" (month from 0).
standing() { echo "$(int32_at "$1" 382) $(int32_at "$1" 386)"; }

wait_for_file() {
    for _ in $(seq 50); do [[ -f "$1" ]] && return 0; sleep 0.2; done
    fail "$1 was not written"
}

# Waits for the game ($game) to end by itself after $1 and checks that it
# ended with status 0.
expect_exit_0() {
    for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$game" 2>/dev/null && fail "the game is still running after $1"
    local status=0
    wait "$game" || status=$?
    [[ "$status" == 0 ]] || fail "the game ended with status $status after $1"
}
