#!/usr/bin/env bash
# Sets up, builds and starts Corvel on the simulated macOS 26 desktop.
# With no display (a server, a container, CI) it plays the scripted tour
# instead and says where its pictures are. Arguments go to corvel, e.g.
# `bash scripts/run.sh --scenario my-desktop.json`.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default -G Ninja >/dev/null
cmake --build build/default --target corvel
corvel=build/default/src/app/corvel

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run: starting Corvel on the simulated desktop (quit from its menu, or press Ctrl-C here)"
    exec "$corvel" "$@"
fi

tour="${CORVEL_TOUR_DIR:-$PWD/build/tour}"
echo "run: no display here, so Corvel plays its tour offscreen"
status=0
"$corvel" --tour "$tour" "$@" || status=$?
echo "run: the tour's pictures, one per step, are in $tour/ and its log is $tour/corvel.log"
exit "$status"
