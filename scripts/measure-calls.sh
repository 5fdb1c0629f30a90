#!/usr/bin/env bash
# Prints what Corvel asks of the platform (window-list and accessibility
# reads while idle, per Strip and per press, and how long a change goes
# unseen) on each built-in desktop and a generated one of 60 items, counted
# in virtual time: the same numbers on every run and every machine.
# Usage: scripts/measure-calls.sh [--desktop NAME]...
set -euo pipefail
cd "$(dirname "$0")/.."
preset=default
tool="build/$preset/tools/measure/corvel_measure_calls"
if [[ ! -x "$tool" ]] || [[ -n "$(find src tests tools -newer "$tool" -name '*.[ch]*' -print -quit)" ]]; then
    nice cmake --preset "$preset" -G Ninja >/dev/null
    nice cmake --build --preset "$preset" -j2 --target corvel_measure_calls >/dev/null
fi
exec "$tool" "$@"
