#!/usr/bin/env bash
# Sets up, builds and runs every test: the source checks (including the
# Objective-C++ check of the Mac-only files), the default build and a minute
# of its soak runner, then everything again under AddressSanitizer +
# UndefinedBehaviorSanitizer, then the threaded suites under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/lint.sh
bash scripts/check-macos.sh

jobs=$(nproc)
run() {
    local preset=$1 began=$SECONDS built
    echo "== $preset =="
    cmake --preset "$preset" -G Ninja >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    built=$SECONDS
    ctest --preset "$preset" -j "$jobs"
    echo "== $preset: built in $((built - began)) s, tested in $((SECONDS - built)) s =="
    # Processor time of everything so far: the second line is the compilers'.
    times
}

start=$SECONDS
run default
# A minute of seeded lives of Corvel on the simulated desktop, in virtual time.
bash scripts/soak.sh 1
run asan
run tsan
echo "== all tests passed in $((SECONDS - start)) s =="
