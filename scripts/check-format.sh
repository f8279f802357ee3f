#!/usr/bin/env bash
# Checks every C++ source of the project against .clang-format; lists the files that differ.
# Usage: scripts/check-format.sh [--fix]   (--fix rewrites them in place)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"

CLANG_FORMAT=${CLANG_FORMAT:-clang-format}
if ! command -v "$CLANG_FORMAT" >/dev/null 2>&1; then
    echo "format: $CLANG_FORMAT not found (scripts/deps.sh installs it)" >&2
    exit 1
fi

# Tracked and new files alike, never what .gitignore hides (build folders).
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t FILES < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' | sort -u)
else
    mapfile -t FILES < <(find . \( -name 'build*' -o -name '.git' \) -prune -o \
        -type f \( -name '*.h' -o -name '*.cpp' \) -print | sed 's|^\./||' | sort)
fi

if [[ "${1:-}" == "--fix" ]]; then
    for f in "${FILES[@]}"; do
        if [[ -f "$f" ]]; then
            "$CLANG_FORMAT" -i "$f"
        fi
    done
    echo "format: formatted ${#FILES[@]} files"
    exit 0
fi

EXISTING=()
for f in "${FILES[@]}"; do
    # Files deleted in the work tree are still in the index.
    if [[ -f "$f" ]]; then
        EXISTING+=("$f")
    fi
done

# One clang-format run for all files; it names each offending file in its diagnostics.
BAD=()
if [[ ${#EXISTING[@]} -ne 0 ]]; then
    rc=0
    REPORT=$("$CLANG_FORMAT" --dry-run -Werror "${EXISTING[@]}" 2>&1 >/dev/null) || rc=$?
    mapfile -t BAD < <(sed -nE 's/^(.+):[0-9]+:[0-9]+: error: .*/\1/p' <<<"$REPORT" | sort -u)
    if [[ $rc -ne 0 && ${#BAD[@]} -eq 0 ]]; then
        # Failed without naming a file: a broken .clang-format or an unreadable file.
        echo "$REPORT" >&2
        echo "format: $CLANG_FORMAT failed (exit $rc)" >&2
        exit 1
    fi
fi

if [[ ${#BAD[@]} -ne 0 ]]; then
    echo "format: ${#BAD[@]} of ${#EXISTING[@]} files differ from .clang-format:"
    printf '  %s\n' "${BAD[@]}"
    echo "format: fix with: scripts/check-format.sh --fix"
    exit 1
fi
echo "format: ${#EXISTING[@]} files match .clang-format"
