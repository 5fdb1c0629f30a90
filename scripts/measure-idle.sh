#!/usr/bin/env bash
# Measures what Corvel costs while it sits idle: starts it headless on the
# built-in scenario (or another desktop) with a temporary store, lets the
# launch finish, then reports its share of one core and its resident memory
# over the idle time.
# Usage: bash scripts/measure-idle.sh [--generated | --scenario FILE] [seconds]
#   (default 60 s; --generated: 60 items from 40 applications, written by
#   corvel_measure_calls)
set -euo pipefail
cd "$(dirname "$0")/.."

scenario=()
generated=false
case "${1:-}" in
--generated) generated=true; shift ;;
--scenario) scenario=(--scenario "$(realpath "$2")"); shift 2 ;;
esac
seconds="${1:-60}"
corvel=build/default/src/app/corvel
tool=build/default/tools/measure/corvel_measure_calls
if [[ ! -x "$corvel" ]] || { $generated && [[ ! -x "$tool" ]]; }; then
    nice cmake --preset default -G Ninja >/dev/null
    nice cmake --build build/default -j2 --target corvel corvel_measure_calls >/dev/null
fi

home="$(mktemp -d)"
pid=""
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
if $generated; then
    "$tool" --write-generated "$home/generated.json"
    scenario=(--scenario "$home/generated.json")
fi
HOME="$home" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen "$corvel" --reset \
    "${scenario[@]}" 2>"$home/corvel.log" &
pid=$!

# The launch places the icons and reconciles within a few seconds.
sleep 5
kill -0 "$pid" 2>/dev/null || { echo "measure-idle: corvel ended early:"; cat "$home/corvel.log"; exit 1; }

# Every thread's time on a CPU in nanoseconds, and how often it went to sleep
# (each one a wake-up to come): finer than the clock's ticks. Counted thread
# by thread, so that a thread that ends meanwhile (a pool's idle worker) does
# not take its earlier time off the sum; one that starts counts from zero.
per_thread() {
    for task in /proc/"$1"/task/*; do
        [[ -r "$task/schedstat" ]] || continue
        printf '%s %s %s\n' "${task##*/}" "$(cut -d' ' -f1 "$task/schedstat" 2>/dev/null || echo 0)" \
            "$(awk '/^voluntary_ctxt_switches:/ {print $2}' "$task/status" 2>/dev/null || echo 0)"
    done
}
before="$home/threads-before"
after="$home/threads-after"
per_thread "$pid" >"$before"
start="$(date +%s.%N)"
sleep "$seconds"
per_thread "$pid" >"$after"
end="$(date +%s.%N)"
read -r ns w < <(awk 'NR == FNR {ns[$1] = $2; w[$1] = $3; next}
    {dns += $2 - ns[$1]; dw += $3 - w[$1]} END {printf "%d %d\n", dns, dw}' "$before" "$after")
rss_kb="$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")"
peak_kb="$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")"

awk -v ns="$ns" -v w="$w" \
    -v s="$start" -v e="$end" -v rss="$rss_kb" -v peak="$peak_kb" 'BEGIN {
    wall = e - s
    printf "idle for %.1f s: CPU %.3f %% of one core (%.1f ms), %.1f wake-ups a second\n", wall, 100 * ns / 1e9 / wall, ns / 1e6, w / wall
    printf "resident memory: %.1f MB now, %.1f MB at most\n", rss / 1024, peak / 1024
}'
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
