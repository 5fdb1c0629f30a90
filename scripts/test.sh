#!/usr/bin/env bash
# Sets up, builds and runs every test: the default build, then everything
# again under AddressSanitizer + UndefinedBehaviorSanitizer, then the
# threaded suites under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/lint.sh

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
