#!/usr/bin/env bash
# Every text of the window has its English: translations/ridolt_en.ts is in
# step with the sources (lupdate run over them into a scratch copy changes
# nothing), and none of its entries is unfinished or vanished.  Fails on
# the first text added, changed or removed without its translation.
#
# Usage: check-translations.sh <lupdate executable>
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
ts=$root/translations/ridolt_en.ts
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

LUPDATE=$1 "$root/scripts/update-translations.sh" --check "$scratch/ridolt_en.ts"

status=0
if ! diff -u "$ts" "$scratch/ridolt_en.ts" >"$scratch/diff"; then
    echo "translations/ridolt_en.ts is not in step with the sources; run scripts/update-translations.sh and translate:"
    cat "$scratch/diff"
    status=1
fi
for kind in unfinished vanished obsolete; do
    if grep -n "type=\"$kind\"" "$scratch/ridolt_en.ts"; then
        echo "the entries above are $kind"
        status=1
    fi
done
# An entry whose translation is empty shows its Japanese.
if grep -n -B2 '<translation></translation>\|<translation/>' "$scratch/ridolt_en.ts"; then
    echo "the entries above have no translation"
    status=1
fi
exit $status
