#!/usr/bin/env bash
# Sets up, builds both platforms and runs every test: natively, then the
# Windows build under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
ctest --preset native -j"$(nproc)"

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24" scripts/ctest-wine.sh
