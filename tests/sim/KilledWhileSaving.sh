#!/usr/bin/env bash
# ridolt-sim serve saving one file back to back, killed with SIGTERM or
# SIGKILL at a random moment, again and again: the file is always a whole
# save file (62,414 bytes that inspect loads), SIGTERM ends the program
# as it always does and leaves no temporary file, and the next save sweeps
# what SIGKILL left.
#   KilledWhileSaving.sh <ridolt-sim> [trials]
set -euo pipefail
sim=$1
trials=${2:-40}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

save() { "$sim" run --seed 1 --months 0 --strategy idle --save game.sav >/dev/null; }
save
# Far more saves than a trial lasts.
yes '{"cmd":"save","path":"game.sav"}' | head -n 20000 >requests || true
left=0
for ((trial = 1; trial <= trials; ++trial)); do
    signal=TERM
    ((trial % 2 == 0)) && signal=KILL
    "$sim" serve --seed "$trial" <requests >/dev/null &
    server=$!
    sleep "0.0$((RANDOM % 40 + 10))"
    kill -s "$signal" "$server"
    status=0
    # (the shell's own note of a killed job goes nowhere)
    wait "$server" 2>/dev/null || status=$?
    expected=$((128 + $(kill -l "$signal")))
    if ((status != expected)); then
        echo "trial $trial: SIG$signal ended ridolt-sim with status $status, not $expected" >&2
        exit 1
    fi
    size=$(stat -c %s game.sav)
    if ((size != 62414)) || ! "$sim" inspect game.sav >/dev/null; then
        echo "trial $trial: game.sav is no whole save file ($size bytes)" >&2
        exit 1
    fi
    leftovers=$(find . -name '.game.sav*.ridolt-tmp-*' | wc -l)
    if [[ $signal == TERM ]] && ((leftovers > 0)); then
        echo "trial $trial: SIGTERM left a temporary file" >&2
        exit 1
    fi
    ((leftovers > 0)) && ((left += 1))
    save
    if [[ -n $(find . -name '.game.sav*.ridolt-tmp-*') ]]; then
        echo "trial $trial: the next save left a temporary file" >&2
        exit 1
    fi
done
echo "$trials trials: game.sav always whole; SIGKILL left a temporary file $left times, SIGTERM never"
