#!/usr/bin/env bash
# Measures what Corvel costs while it sits idle: starts it headless on the
# built-in scenario with a temporary store, lets the launch finish, then
# reports its share of one core and its resident memory over the idle time.
# Usage: bash scripts/measure-idle.sh [seconds]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
corvel=build/default/src/app/corvel
if [[ ! -x "$corvel" ]]; then
    cmake --preset default -G Ninja >/dev/null
    cmake --build build/default --target corvel >/dev/null
fi

home="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
HOME="$home" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen "$corvel" --reset \
    2>"$home/corvel.log" &
pid=$!

# The launch places the icons and reconciles within a few seconds.
sleep 5
kill -0 "$pid" 2>/dev/null || { echo "measure-idle: corvel ended early:"; cat "$home/corvel.log"; exit 1; }

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hertz="$(getconf CLK_TCK)"
before="$(ticks "$pid")"
start="$(date +%s.%N)"
sleep "$seconds"
after="$(ticks "$pid")"
end="$(date +%s.%N)"
rss_kb="$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")"
peak_kb="$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")"

awk -v t="$((after - before))" -v hz="$hertz" -v s="$start" -v e="$end" \
    -v rss="$rss_kb" -v peak="$peak_kb" 'BEGIN {
    wall = e - s
    printf "idle for %.1f s: CPU %.3f %% of one core (%d ticks of 1/%d s)\n", wall, 100 * t / hz / wall, t, hz
    printf "resident memory: %.1f MB now, %.1f MB at most\n", rss / 1024, peak / 1024
}'
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
