#!/usr/bin/env bash
# Sets up, builds and runs every test: the source checks (including the
# Objective-C++ check of the Mac-only files), the default build, then
# everything again under AddressSanitizer + UndefinedBehaviorSanitizer, then
# the threaded suites under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/lint.sh
bash scripts/check-macos.sh

jobs=$(nproc)
run() {
    local preset=$1
    echo "== $preset =="
    cmake --preset "$preset" -G Ninja >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
}

start=$SECONDS
run default
run asan
run tsan
echo "== all tests passed in $((SECONDS - start)) s =="
