#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan; preset fuzz,
# in build-fuzz) and fuzzes each briefly: the save-file loader from the
# seed corpus its writer makes, the request reader of `serve` from the
# request lines in fuzz/serve-seeds.
# Exits non-zero when the build fails or the fuzzer finds a crash.
#   FUZZ_SECONDS  how long to fuzz each target (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-20}
build=build-fuzz

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

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

mkdir -p "$build/fuzz-serve-corpus"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/fuzz/VxSimRequestFuzz" -max_total_time="$seconds" -max_len=70000 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$build/fuzz-serve-corpus" fuzz/serve-seeds
echo "fuzz-smoke: no crash in ${seconds}s of each target"
