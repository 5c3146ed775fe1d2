#!/usr/bin/env bash
# Sets up, builds both platforms and runs every test: natively under the
# sanitizers (with the WebAssembly build run in Node), the web page in
# headless Chromium, the fuzz harnesses briefly, then the Windows build under
# Wine on a virtual display, and last a newcomer's first start of the program
# (no display, a Wine prefix that does not exist yet).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# The core as WebAssembly, which the native test wasm.Smoke runs in Node.
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j"$(nproc)"

# The portable and command-line tests natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, where any fault ends the test; the Windows build
# below runs them again, built with -O2 by the same compiler version.
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j"$(nproc)"
ctest --preset native-asan -j"$(nproc)"

# The web page in headless Chromium, compared with the command-line tool just built.
TANDREL_CLI=build/native-asan/cli/tandrel-cli scripts/web.sh --check

# Each fuzz harness for 8 s (scripts/fuzz.sh runs one for longer).
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
ctest --preset fuzz -j"$(nproc)"

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24" scripts/ctest-wine.sh build/windows -j"$(nproc)"

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
