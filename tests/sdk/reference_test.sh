#!/usr/bin/env bash
# reference_test.sh DOXYFILE: makes the framework's reference once more, into a scratch folder, with
# doxygen's warnings as errors: a public name without its comment fails, and doxygen names it. Doxygen
# 1.9 does not warn about enumerators, so they are looked up in its XML output.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  cat "$1"
  echo "OUTPUT_DIRECTORY = $work"
  echo "GENERATE_XML = YES"
  echo "WARN_AS_ERROR = FAIL_ON_WARNINGS"
} | doxygen - || { echo "FAIL: the reference has undocumented names or unreadable comments (above)" >&2; exit 1; }
undocumented=$(awk '
  /<enumvalue / { inside = 1; documented = 0 }
  inside && /<name>/ { name = $0; gsub(/.*<name>|<\/name>.*/, "", name) }
  inside && /<(brief|detailed)description>/ { text = 1; next }
  inside && /<\/(brief|detailed)description>/ { text = 0 }
  inside && text && NF { documented = 1 }
  /<\/enumvalue>/ { if (!documented) print name; inside = 0 }' "$work"/xml/*.xml | sort -u)
[ -z "$undocumented" ] || { echo "FAIL: enumerators without a comment: $undocumented" >&2; exit 1; }
echo "reference: every public name documented"
