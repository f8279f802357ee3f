#!/usr/bin/env bash
# shellcheck disable=SC2317 # run_ctest and demo_smoke are called through step()
# Sets up and runs every test: installs missing Debian packages, checks formatting, builds and
# runs the suite normally (build/), runs clang-tidy on the plug-in's sources (bugprone findings
# fail) and runs the suite under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan/).
# Exits non-zero when any step fails.
# Usage: scripts/run-tests.sh [--no-asan] [--no-normal] [--no-format] [--no-tidy] [-R REGEX]
#   FEVER_JOBS sets build jobs, FEVER_TEST_JOBS parallel test runs (default: number of cores).
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1

RUN_NORMAL=1
RUN_ASAN=1
RUN_FORMAT=1
RUN_TIDY=1
CTEST_FILTER=()
while [[ $# -gt 0 ]]; do
    case "$1" in
    --no-asan) RUN_ASAN=0 ;;
    --no-normal) RUN_NORMAL=0 ;;
    --no-format) RUN_FORMAT=0 ;;
    --no-tidy) RUN_TIDY=0 ;;
    -R)
        CTEST_FILTER=(-R "$2")
        shift
        ;;
    *)
        echo "usage: $0 [--no-asan] [--no-normal] [--no-format] [--no-tidy] [-R REGEX]" >&2
        exit 2
        ;;
    esac
    shift
done

# CI builds with warnings as errors (FEVER_WERROR=ON in .ci/run).
WERROR=${FEVER_WERROR:-OFF}
TEST_JOBS=${FEVER_TEST_JOBS:-$(nproc 2>/dev/null || echo 2)}
LOG_DIR="$ROOT/build-logs"
mkdir -p "$LOG_DIR"
START=$(date +%s)
SUMMARY=()
FAILED=0
TOTAL_PASSED=0
TOTAL_FAILED=0

step()
{
    # step NAME COMMAND... : runs the command, records its verdict and duration.
    local name=$1 t0 rc
    shift
    echo
    echo "===== $name"
    t0=$(date +%s)
    "$@"
    rc=$?
    local took=$(($(date +%s) - t0))
    if [[ $rc -eq 0 ]]; then
        SUMMARY+=("$(printf '  %-28s PASS  %5ss' "$name" "$took")")
    else
        SUMMARY+=("$(printf '  %-28s FAIL  %5ss  (exit %s)' "$name" "$took" "$rc")")
        FAILED=1
    fi
    return "$rc"
}

run_ctest()
{
    # run_ctest BUILD_DIR LOG : runs the suite, keeps its output, adds its counts to the totals.
    local dir=$1 log=$2 rc
    (cd "$dir" && ctest --output-on-failure --no-tests=error -j "$TEST_JOBS" "${CTEST_FILTER[@]}") 2>&1 \
        | tee "$log"
    rc=${PIPESTATUS[0]}
    # "100% tests passed, 0 tests failed out of 42"
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [[ -n "$line" ]]; then
        local failed total
        failed=$(sed -E 's/.*passed, ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.*passed, ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
        TOTAL_PASSED=$((TOTAL_PASSED + total - failed))
        TOTAL_FAILED=$((TOTAL_FAILED + failed))
    elif [[ $rc -ne 0 ]]; then
        TOTAL_FAILED=$((TOTAL_FAILED + 1))
    fi
    return "$rc"
}

demo_smoke()
{
    # Runs the demo headless on the bundled scenario with two screens in a throw-away
    # configuration folder and checks that every screenshot was written and is not blank.
    local work rc=0 file size
    work=$(mktemp -d)
    "$ROOT/build/demo/feverdemo" --headless --screens 2 --config-dir "$work/config" \
        --screenshot-dir "$work/shots" --quit-after 3000 || rc=$?
    for file in screen-1.png screen-2.png window.png; do
        size=$(stat -c %s "$work/shots/$file" 2>/dev/null || echo 0)
        if [[ $size -lt 4096 ]]; then
            echo "demo: $file missing or blank ($size bytes)"
            rc=1
        fi
    done
    rm -rf "$work"
    return "$rc"
}

step "Debian packages" bash scripts/deps.sh || {
    echo "run-tests: cannot go on without the packages" >&2
    exit 1
}

if [[ $RUN_FORMAT -eq 1 ]]; then
    step "format check" bash scripts/check-format.sh
fi

NORMAL_BUILT=0
if [[ $RUN_NORMAL -eq 1 ]]; then
    if step "build (normal)" bash scripts/build.sh build "-DFEVER_WERROR=$WERROR"; then
        NORMAL_BUILT=1
        step "tests (normal)" run_ctest build "$LOG_DIR/ctest-normal.log"
        # Counted with the suites: it is the one check of the program a user starts.
        if step "demo (headless)" demo_smoke; then
            TOTAL_PASSED=$((TOTAL_PASSED + 1))
        else
            TOTAL_FAILED=$((TOTAL_FAILED + 1))
        fi
    fi
fi

if [[ $RUN_TIDY -eq 1 ]]; then
    # clang-tidy reads build/compile_commands.json and the form headers generated in build/.
    if [[ $NORMAL_BUILT -eq 1 ]]; then
        step "clang-tidy" bash scripts/check-tidy.sh build
    elif [[ $RUN_NORMAL -eq 0 ]] && step "build (for clang-tidy)" bash scripts/build.sh build \
        --target feverscreen_objects "-DFEVER_WERROR=$WERROR"; then
        step "clang-tidy" bash scripts/check-tidy.sh build
    fi
fi

if [[ $RUN_ASAN -eq 1 ]]; then
    if step "build (ASan+UBSan)" bash scripts/build.sh build-asan -DFEVER_SANITIZE=ON "-DFEVER_WERROR=$WERROR" \
        -DFEVER_BUILD_BENCH=OFF -DFEVER_BUILD_DEMO=OFF; then
        step "tests (ASan+UBSan)" run_ctest build-asan "$LOG_DIR/ctest-asan.log"
    fi
fi

echo
echo "===== summary ($(($(date +%s) - START))s)"
printf '%s\n' "${SUMMARY[@]}"
if [[ $FAILED -ne 0 ]]; then
    echo "run-tests: FAILED"
else
    echo "run-tests: all steps passed"
fi
# Last line: the totals of both runs of the suite and the demo check.
echo "tests: $TOTAL_PASSED passed, $TOTAL_FAILED failed"
exit "$FAILED"
