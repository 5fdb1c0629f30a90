#!/usr/bin/env bash
# Fuzzes for a given number of seconds (default 60) each target named after
# it (store_reader, window_list), or both when none is named. Builds the
# "fuzz" preset (clang + libFuzzer) first. New inputs the fuzzer finds go to
# build/fuzz/corpus/<target>; a crashing input is written to build/fuzz/ and
# should be copied into fuzz/corpus/<target> so CTest replays it.
set -euo pipefail

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(store_reader window_list)
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

for target in "${targets[@]}"; do
    case "$target" in
    store_reader | window_list) ;;
    *)
        echo "fuzz.sh: unknown target '$target'; use store_reader or window_list" >&2
        exit 2
        ;;
    esac
done

cmake --preset fuzz -S "$root" >/dev/null
for target in "${targets[@]}"; do
    cmake --build "$build" --target "corvel_${target}_fuzz"
done

cd "$build"
for target in "${targets[@]}"; do
    case "$target" in
    store_reader) max_len=4096 ;;
    window_list) max_len=8192 ;;
    esac
    work="$build/corpus/$target"
    mkdir -p "$work"
    options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1)
    if [ -f "$root/fuzz/$target.dict" ]; then
        options+=(-dict="$root/fuzz/$target.dict")
    fi
    "$build/fuzz/corvel_${target}_fuzz" "${options[@]}" "$work" "$root/fuzz/corpus/$target"
done
