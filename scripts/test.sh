#!/usr/bin/env bash
# Sets up, builds both platforms and runs every test: natively, then the
# Windows build under Wine on a virtual display, then a newcomer's first start
# of the program (no display, a Wine prefix that does not exist yet).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
ctest --preset native -j"$(nproc)"

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24" scripts/ctest-wine.sh

fresh=$(mktemp -d)
screenshot=build/windows/tandrel-window.png
rm -f "$screenshot"
env -u DISPLAY WINEPREFIX="$fresh/prefix" scripts/run.sh
rm -rf "$fresh"
if [ ! -s "$screenshot" ]; then
  echo "test: the first start wrote no screenshot" >&2
  exit 1
fi
echo "test: the first start with a new Wine prefix and no display worked"
