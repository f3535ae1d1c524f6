#!/usr/bin/env bash
# Installs what is missing, builds the game (preset dev) and starts it.
# Arguments are passed to the game (a save file to open, --help, --version).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target ridolt -j"$(nproc)"
exec build/app/ridolt "$@"
