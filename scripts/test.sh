#!/usr/bin/env bash
# Installs what is missing, checks the formatting of every tracked C++
# source, builds everything and runs every test headless: the model,
# simulator and window tests with the end-to-end and install tests (preset
# dev), all but the last two again under AddressSanitizer and
# UndefinedBehaviorSanitizer (preset asan), and a short fuzzing run of the
# save-file loader and of the served game's request reader (preset fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
scripts/setup.sh

echo "== formatting"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

echo "== build and test"
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$jobs"
ctest --preset dev -j"$jobs"

echo "== tests under ASan + UBSan"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"

echo "== fuzzing the save-file loader and the request reader"
scripts/fuzz-smoke.sh
