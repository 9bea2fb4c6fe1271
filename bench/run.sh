#!/usr/bin/env bash
# Every benchmark in turn; `make bench` runs this under Xvfb on a Release build.
#   bench/run.sh BUILD_DIR
set -euo pipefail
build=${1:-build-bench}
cd "$(dirname "$0")/.."
"$build/bench/bench_loaders"
"$build/bench/bench_startup"
"$build/bench/bench_pacing"
"$build/bench/bench_frame"
bench/callgrind.sh "$build"
