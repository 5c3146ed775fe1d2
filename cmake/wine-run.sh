#!/usr/bin/env bash
# Runs a Windows executable under Wine, in the prefix kept inside the build tree.
# Used as the cross build's emulator, so ctest runs test executables through it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$(cd "$here/.." && pwd)/build/windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
fi
exec wine "$@"
