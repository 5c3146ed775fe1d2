#!/usr/bin/env bash
# Runs a Windows build's tests (default build/windows; other ctest arguments
# follow) with one Wine server kept warm for the whole run, so each test start
# costs milliseconds instead of seconds. Both the server and the first Wine
# process get /dev/null for their standard streams: otherwise the server's
# helpers inherit ctest's output pipe and ctest waits for them forever.
set -uo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/windows}"
shift || true
export WINEPREFIX="${WINEPREFIX:-$PWD/$build/wineprefix}"
source scripts/wine-env.sh
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure "$@"
rc=$?
wineserver -k </dev/null >/dev/null 2>&1
exit $rc
