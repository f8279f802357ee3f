#!/usr/bin/env bash
# Runs clang-tidy 14 with the project's .clang-tidy on the plug-in's sources (plugin, screen,
# snap, config, statistics) and the headers they include from the project. bugprone-* findings
# are errors; the other checks' findings are printed and left to review.
# Usage: scripts/check-tidy.sh [BUILD_DIR]   (default: build)
#   Needs a built folder: its compile_commands.json and the generated form headers.
#   FEVER_TIDY_JOBS sets the parallel clang-tidy runs (default 2); CLANG_TIDY the program.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"

BUILD_DIR=${1:-build}
[[ "$BUILD_DIR" = /* ]] || BUILD_DIR="$ROOT/$BUILD_DIR"
JOBS=${FEVER_TIDY_JOBS:-2}

if [[ -z "${CLANG_TIDY:-}" ]]; then
    if command -v clang-tidy-14 >/dev/null 2>&1; then
        CLANG_TIDY=clang-tidy-14
    else
        CLANG_TIDY=clang-tidy
    fi
fi
if ! command -v "$CLANG_TIDY" >/dev/null 2>&1; then
    echo "tidy: $CLANG_TIDY not found (scripts/deps.sh installs it)" >&2
    exit 1
fi
if [[ ! -f "$BUILD_DIR/compile_commands.json" ]]; then
    echo "tidy: no $BUILD_DIR/compile_commands.json; build first: scripts/build.sh $BUILD_DIR" >&2
    exit 1
fi

FOLDERS=(plugin screen snap config statistics)
PATTERNS=()
for folder in "${FOLDERS[@]}"; do
    PATTERNS+=("$folder/*.cpp")
done
# Tracked and new files alike, never what .gitignore hides.
mapfile -t FILES < <(git ls-files --cached --others --exclude-standard -- "${PATTERNS[@]}" | sort -u)
EXISTING=()
for f in "${FILES[@]}"; do
    [[ -f "$f" ]] && EXISTING+=("$f")
done
if [[ ${#EXISTING[@]} -eq 0 ]]; then
    echo "tidy: no sources found in ${FOLDERS[*]}" >&2
    exit 1
fi

LOGS=$(mktemp -d)
trap 'rm -rf "$LOGS"' EXIT
export CLANG_TIDY BUILD_DIR LOGS

# g++ builds C++17 by default, so the compile commands carry no -std flag; clang-tidy is told.
# One clang-tidy per file, JOBS at a time; each writes its own log so outputs do not interleave.
# shellcheck disable=SC2016 # expanded by the inner shell
printf '%s\0' "${EXISTING[@]}" | xargs -0 -n 1 -P "$JOBS" sh -c '
    log="$LOGS/$(printf %s "$1" | tr / _).log"
    if ! "$CLANG_TIDY" -p "$BUILD_DIR" --quiet --warnings-as-errors="bugprone-*" \
        --extra-arg=-std=c++17 "$1" \
            >"$log" 2>&1; then
        : >"$log.failed"
    fi' sh

FAILED=()
for f in "${EXISTING[@]}"; do
    log="$LOGS/$(printf %s "$f" | tr / _).log"
    # Counts of the warnings filtered out (system and Qt headers) are noise.
    grep -vE '^[0-9]+ warnings?( and [0-9]+ errors?)? generated\.$' "$log" || true
    [[ -f "$log.failed" ]] && FAILED+=("$f")
done

if [[ ${#FAILED[@]} -ne 0 ]]; then
    echo "tidy: ${#FAILED[@]} of ${#EXISTING[@]} files have bugprone findings or do not parse:"
    printf '  %s\n' "${FAILED[@]}"
    exit 1
fi
echo "tidy: ${#EXISTING[@]} files without bugprone findings"
