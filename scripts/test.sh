#!/usr/bin/env bash
# The test programs of both builds on one display (make test runs this under xvfb-run): the Windows build's
# under Wine in a prefix of this run's own, then the Linux build's, whose test_wine drives the Windows
# build's installer, zip and program in that same prefix. Exits non-zero when either ctest failed.
#   scripts/test.sh LINUX_TEST_BUILD WINDOWS_BUILD
set -uo pipefail
linux=$1
windows=$(cd "$2" && pwd)

export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
WINEPREFIX=$(mktemp -d /tmp/wobblefin-wine-XXXXXX)
cleanup() {
    wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

started=$SECONDS
status=0
if ! timeout 300 wineboot -i >/dev/null 2>&1; then
    echo "test.sh: no Wine prefix could be made in $WINEPREFIX" >&2
    status=1
else
    echo "Windows build under Wine (prefix made in $((SECONDS - started)) s):"
    ctest --test-dir "$windows" --output-on-failure --repeat until-pass:2 || status=1
fi
windows_seconds=$((SECONDS - started))

WOBBLEFIN_WINDOWS_BUILD=$windows ctest --test-dir "$linux" --output-on-failure --repeat until-pass:2 || status=1
echo "test.sh: the Windows build's tests took ${windows_seconds} s, the Linux build's $((SECONDS - started - windows_seconds)) s"
exit $status
