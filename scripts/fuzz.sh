#!/usr/bin/env bash
# Runs every fuzz target in the fuzz build for the given number of seconds, from its seed files.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-30}
shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets built"
  exit 0
fi
passed=0
for t in "${targets[@]}"; do
  [ -x "$t" ] || continue
  name=$(basename "$t")
  seeds="fuzz/seeds/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name: ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 "$t" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 "$work" 2>"$work.log" \
    || { tail -n 60 "$work.log"; echo "$name FAILED"; exit 1; }
  grep -E 'stat::number_of_executed_units|Done' "$work.log" | tail -n 2
  rm -rf "$work" "$work.log"
  passed=$((passed + 1))
done
echo "fuzz: $passed passed, 0 failed"
