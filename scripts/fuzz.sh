#!/usr/bin/env bash
# Fuzzes the store document reader for a given number of seconds (default 60).
# Builds the "fuzz" preset (clang + libFuzzer) first. New inputs the fuzzer
# finds go to build/fuzz/corpus; a crashing input is written to build/fuzz/
# and should be copied into fuzz/corpus/store_reader so CTest replays it.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

cmake --preset fuzz -S "$root" >/dev/null
cmake --build "$build" --target corvel_store_reader_fuzz

work="$build/corpus/store_reader"
mkdir -p "$work"
cd "$build"
"$build/fuzz/corvel_store_reader_fuzz" \
    -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
    "$work" "$root/fuzz/corpus/store_reader"
