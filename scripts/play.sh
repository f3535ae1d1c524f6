#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.  Arguments are
# passed to the game (a save file to open, --help, --version).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target ridolt -j"$(nproc)"
exec build/app/ridolt "$@"
