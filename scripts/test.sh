#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless:
# the model and window tests, the model tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and a short fuzzing run of the loader.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
scripts/setup.sh

echo "== build and test"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== model tests under ASan + UBSan"
cmake -S . -B build-asan -G Ninja -DRIDOLT_SANITIZE=ON -DRIDOLT_BUILD_UI=OFF \
    -DRIDOLT_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [[ -x scripts/fuzz-smoke.sh ]]; then
    echo "== fuzzing the save-file loader"
    scripts/fuzz-smoke.sh
fi
