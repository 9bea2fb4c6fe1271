#!/usr/bin/env bash
# Keeps the code blocks of docs/corvala.md equal to the examples they come from.
#   scripts/doc-blocks.sh check    fails, naming the block, when a block differs from its example
#   scripts/doc-blocks.sh update   rewrites the blocks from the examples
# In the guide a block is announced by a line <!-- example: FILE NAME --> right before its ```cpp
# fence; in examples/FILE the lines between "// [doc:NAME]" and "// [/doc:NAME]" are the block.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-check}
guide=docs/corvala.md

# The marked lines of one example, as they stand.
excerpt() {
  local file=examples/$1 name=$2
  [ -f "$file" ] || { echo "doc-blocks: $guide names $file, which does not exist" >&2; return 1; }
  awk -v start_mark="// [doc:$name]" -v end_mark="// [/doc:$name]" '
    { line = $0; sub(/^[ \t]+/, "", line) }
    line == end_mark { inside = 0; found_close = 1 }
    inside { print }
    line == start_mark { inside = 1; found_open = 1 }
    END { if (!found_open || !found_close) exit 1 }' "$file" \
    || { echo "doc-blocks: no block $name in $file" >&2; return 1; }
}

# The guide with every announced block replaced by its excerpt; blocks are separated by NUL-free
# temporary files so that awk never has to quote code.
rebuilt=$(mktemp)
trap 'rm -f "$rebuilt" "$rebuilt".*' EXIT
count=0
while IFS= read -r line; do
  if [[ $line =~ ^\<!--\ example:\ ([^ ]+)\ ([^ ]+)\ --\>$ ]]; then
    excerpt "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" >"$rebuilt.$count"
    echo "$line" >>"$rebuilt"
    echo "@@BLOCK $count@@" >>"$rebuilt"
    count=$((count + 1))
  else
    echo "$line" >>"$rebuilt"
  fi
done <"$guide"
[ $count -gt 0 ] || { echo "doc-blocks: $guide announces no example blocks" >&2; exit 1; }

# Put the excerpts in, in place of the fenced block that followed each announcement.
expected=$(mktemp)
awk -v base="$rebuilt" '
  /^@@BLOCK [0-9]+@@$/ { n = $2; sub(/@@$/, "", n); pending = 1; next }
  pending == 1 && /^```cpp$/ { print; file = base "." n; while ((getline l < file) > 0) print l; close(file); skipping = 1; pending = 0; next }
  pending == 1 { print "doc-blocks: an announcement is not followed by a ```cpp block" > "/dev/stderr"; exit 1 }
  skipping && /^```$/ { skipping = 0; print; next }
  skipping { next }
  { print }' "$rebuilt" >"$expected"

if [ "$mode" = update ]; then
  cp "$expected" "$guide"
  echo "doc-blocks: $count blocks written into $guide"
elif ! diff -u "$guide" "$expected"; then
  echo "doc-blocks: $guide differs from the examples (scripts/doc-blocks.sh update rewrites it)" >&2
  rm -f "$expected"
  exit 1
else
  echo "doc-blocks: $count blocks match the examples"
fi
rm -f "$expected"
