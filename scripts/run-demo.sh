#!/usr/bin/env bash
# Sets up and runs the demo host on the bundled scenario: installs missing Debian packages,
# builds into build/ and starts build/demo/feverdemo with the options given.
# Without a display it renders headless and writes screenshots to build/screenshots/.
# Usage: scripts/run-demo.sh [feverdemo options]   (scripts/run-demo.sh --help lists them)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"

bash scripts/deps.sh
bash scripts/build.sh build --target feverdemo

ARGS=("$@")
# Live snapshots flow by default: one simulated notification per second unless --traffic is given.
traffic_given=0
for arg in "$@"; do
    [[ "$arg" == --traffic* ]] && traffic_given=1
done
[[ $traffic_given -eq 1 ]] || ARGS+=(--traffic 1)
# And the platform has seen this morning's traffic: totals, strip and alarm chart start filled.
history_given=0
for arg in "$@"; do
    [[ "$arg" == --history* ]] && history_given=1
done
[[ $history_given -eq 1 ]] || ARGS+=(--history 12)
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    headless_given=0
    shots_given=0
    for arg in "$@"; do
        [[ "$arg" == "--headless" ]] && headless_given=1
        [[ "$arg" == --screenshot-dir* ]] && shots_given=1
    done
    [[ $headless_given -eq 1 ]] || ARGS+=(--headless)
    if [[ $shots_given -eq 0 ]]; then
        ARGS+=(--screenshot-dir "$ROOT/build/screenshots")
        echo "run-demo: no display; rendering headless, screenshots go to $ROOT/build/screenshots/"
    else
        echo "run-demo: no display; rendering headless"
    fi
fi

exec "$ROOT/build/demo/feverdemo" "${ARGS[@]}"
