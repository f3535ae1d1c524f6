#!/usr/bin/env bash
# Brings translations/ridolt_en.ts in step with the window's sources:
# texts added since get an unfinished entry to translate, texts gone are
# dropped.  With --check FILE it writes the brought-up file to FILE instead
# and leaves the checked-in one alone (tests/translations uses it).
#
# Usage: scripts/update-translations.sh [--check FILE]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
ts=$root/translations/ridolt_en.ts
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}

options=(-no-obsolete)
if [[ "${1:-}" == "--check" ]]; then
    cp "$ts" "$2"
    ts=$2
    options=()
fi

cd "$root"
"$lupdate" -silent -locations none -extensions cpp,h -source-language ja -target-language en \
    "${options[@]}" app components ui ridolt -ts "$ts"
