#!/usr/bin/env bash
# Plays seeded lives of Corvel on the simulated desktop (corvel_soak), one
# seed after another and the built-in desktops in turn, until the time is up
# (minutes, 1 by default). Stops at the first failure and prints the command
# that plays it again. Uses the default build's corvel_soak.
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:-1}
if ! [[ $minutes =~ ^[0-9]+$ ]] || ((minutes < 1)); then
    echo "usage: scripts/soak.sh [minutes]" >&2
    exit 2
fi
soak=build/default/tools/soak/corvel_soak
if [[ ! -x $soak ]]; then
    echo "soak: $soak is missing; build the default preset first" >&2
    exit 2
fi

export QT_QPA_PLATFORM=offscreen
desktops=(default unhosted)
steps=${CORVEL_SOAK_STEPS:-500}
seed=${CORVEL_SOAK_FIRST_SEED:-1}
played=0
deadline=$((SECONDS + minutes * 60))
while ((SECONDS < deadline)); do
    desktop=${desktops[$((played % ${#desktops[@]}))]}
    # A run that would outlast the time left is cut short, not failed. It is
    # killed: the runner plays SIGTERM to Corvel itself and catches it.
    left=$((deadline - SECONDS))
    status=0
    timeout --foreground --signal=KILL "$left" "$soak" --seed "$seed" --steps "$steps" --desktop "$desktop" \
        --quiet || status=$?
    if ((status == 124 || status == 137)); then
        break
    elif ((status != 0)); then
        echo "soak: failed; play it again with: $soak --seed $seed --steps $steps --desktop $desktop" >&2
        exit 1
    fi
    played=$((played + 1))
    seed=$((seed + 1))
done
echo "soak: $played whole runs of $steps steps passed in $minutes minute(s)"
