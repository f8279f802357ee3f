#!/usr/bin/env bash
# Configures and builds the project in a build folder.
# Usage: scripts/build.sh BUILD_DIR [--target NAME]... [-DOPTION=VALUE]...
#   Build type defaults to Debug; Ninja is used for a new folder when present, ccache when present.
#   FEVER_JOBS sets the parallel jobs (default: number of cores).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [[ $# -lt 1 ]]; then
    echo "usage: $0 BUILD_DIR [--target NAME]... [-DOPTION=VALUE]..." >&2
    exit 2
fi
BUILD_DIR=$1
shift
[[ "$BUILD_DIR" = /* ]] || BUILD_DIR="$ROOT/$BUILD_DIR"

TARGETS=()
CMAKE_ARGS=()
while [[ $# -gt 0 ]]; do
    case "$1" in
    --target)
        TARGETS+=(--target "$2")
        shift 2
        ;;
    *)
        CMAKE_ARGS+=("$1")
        shift
        ;;
    esac
done

# The generator of an existing folder cannot change; only a new folder gets one chosen.
if [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]] && command -v ninja >/dev/null 2>&1; then
    CMAKE_ARGS=(-G Ninja "${CMAKE_ARGS[@]}")
fi
if command -v ccache >/dev/null 2>&1; then
    CMAKE_ARGS+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Paths relative to the checkout, so that another clone of the repository on the same
    # machine (CI) reuses the objects already compiled.
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT}
    export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi
if ! printf '%s\n' "${CMAKE_ARGS[@]}" | grep -q '^-DCMAKE_BUILD_TYPE='; then
    CMAKE_ARGS+=(-DCMAKE_BUILD_TYPE=Debug)
fi

JOBS=${FEVER_JOBS:-$(nproc 2>/dev/null || echo 2)}

echo "build: configuring $BUILD_DIR ${CMAKE_ARGS[*]}"
cmake -S "$ROOT" -B "$BUILD_DIR" "${CMAKE_ARGS[@]}"
echo "build: building $BUILD_DIR ${TARGETS[*]:-(all)} with $JOBS jobs"
cmake --build "$BUILD_DIR" --parallel "$JOBS" "${TARGETS[@]}"
