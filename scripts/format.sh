#!/usr/bin/env bash
# Lays out every C and C++ file of the tree by .clang-format, with the clang-format of Debian 12.
#   scripts/format.sh           rewrite the files that have drifted (and the guide's code blocks with them)
#   scripts/format.sh --check   change nothing; list the files that have drifted and fail when there are any
set -euo pipefail
cd "$(dirname "$0")/.."
CLANG_FORMAT=${CLANG_FORMAT:-clang-format-14}
if ! command -v "$CLANG_FORMAT" >/dev/null; then
  echo "format: $CLANG_FORMAT not found (scripts/install-deps.sh installs it)" >&2
  exit 2
fi
check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.c' '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build\* -prune -o \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print | sort)
fi

drifted=0
for f in "${files[@]}"; do
  if [ "$check" -eq 1 ]; then
    if ! "$CLANG_FORMAT" --style=file "$f" | cmp -s - "$f"; then
      echo "format: $f differs from .clang-format (scripts/format.sh fixes it)"
      drifted=$((drifted + 1))
    fi
  else
    "$CLANG_FORMAT" --style=file -i "$f"
  fi
done
if [ "$check" -eq 1 ]; then
  echo "format: ${#files[@]} files checked, $drifted drifted"
  [ "$drifted" -eq 0 ]
elif [ -x scripts/doc-blocks.sh ]; then
  # The guide's code blocks are the examples' lines: they follow the examples' new layout.
  scripts/doc-blocks.sh update
fi
