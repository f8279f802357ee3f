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
        [[ -f "$f" ]] && "$CLANG_FORMAT" -i "$f"
    done
    echo "format: formatted ${#FILES[@]} files"
    exit 0
fi

BAD=()
for f in "${FILES[@]}"; do
    [[ -f "$f" ]] || continue # deleted in the work tree but still in the index
    if ! "$CLANG_FORMAT" --dry-run -Werror "$f" >/dev/null 2>&1; then
        BAD+=("$f")
    fi
done

if [[ ${#BAD[@]} -ne 0 ]]; then
    echo "format: ${#BAD[@]} of ${#FILES[@]} files differ from .clang-format:"
    printf '  %s\n' "${BAD[@]}"
    echo "format: fix with: scripts/check-format.sh --fix"
    exit 1
fi
echo "format: ${#FILES[@]} files match .clang-format"
