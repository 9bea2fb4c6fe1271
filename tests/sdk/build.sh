#!/usr/bin/env bash
# build.sh SOURCE DIR: a Release build of SOURCE in DIR/build, configured for /usr like a package.
set -euo pipefail
source=$1
dir=$2
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$source
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# The sanitiser settings of the test build must not reach this one.
unset ASAN_OPTIONS UBSAN_OPTIONS
cmake -S "$source" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release -DWOBBLEFIN_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
      "${launcher[@]}" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir/build" -j "$(nproc)" >"$dir.build.log" 2>&1 || { tail -n 40 "$dir.build.log"; exit 1; }
echo "built $dir/build"
