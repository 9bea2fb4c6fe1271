#!/usr/bin/env bash
# reference_test.sh DOXYFILE: makes the framework's reference once more, into a scratch folder, with
# doxygen's warnings as errors: a public name without its comment fails, and doxygen names it.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  cat "$1"
  echo "OUTPUT_DIRECTORY = $work"
  echo "WARN_AS_ERROR = FAIL_ON_WARNINGS"
} | doxygen - || { echo "FAIL: the reference has undocumented names or unreadable comments (above)" >&2; exit 1; }
echo "reference: every public name documented"
