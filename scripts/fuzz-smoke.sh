#!/usr/bin/env bash
# Builds the save-file loader's fuzz target with clang (libFuzzer, ASan,
# UBSan) in build-fuzz, writes its seed corpus and fuzzes it briefly.
# Exits non-zero when the build fails or the fuzzer finds a crash.
#   FUZZ_SECONDS  how long to fuzz (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-20}
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DRIDOLT_FUZZ=ON -DRIDOLT_BUILD_UI=OFF \
    -DRIDOLT_BUILD_TESTS=OFF -DRIDOLT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target VxGameLoadFuzz VxGameSeedCorpus

seeds=$build/fuzz-seeds
corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus" "$artifacts"
"$build/fuzz/VxGameSeedCorpus" "$seeds"

# New inputs go to the first folder, so the seeds stay as generated.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/fuzz/VxGameLoadFuzz" -max_total_time="$seconds" -max_len=70000 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$corpus" "$seeds"
echo "fuzz-smoke: no crash in ${seconds}s"
