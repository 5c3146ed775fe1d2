#!/usr/bin/env bash
# The web page: builds tandrel-core.wasm (the wasm preset), assembles the site
# in build/web/ and serves it on http://127.0.0.1:8080/. build/web/ holds
# every file the page needs and can be copied as it is to any static host.
#
#   scripts/web.sh                 builds and serves
#   scripts/web.sh --check         builds and runs the browser tests in headless Chromium
#   scripts/web.sh --screenshots   builds, runs the tests and saves docs/web-phone.png and docs/web-desktop.png
#   scripts/web.sh --bench         builds and times the page (tests/browser/web_bench.mjs)
#
# The tests compare the page with tandrel-cli: $TANDREL_CLI, or build/native's
# (built here when it is missing). scripts/setup.sh installs Chromium and the
# npm packages (npm ci).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-serve}
case $mode in
serve | --check | --screenshots | --bench) ;;
*)
  echo "usage: scripts/web.sh [--check | --screenshots | --bench]" >&2
  exit 2
  ;;
esac

shim=node_modules/@bjorn3/browser_wasi_shim
if [ ! -d "$shim" ]; then
  echo "web: $shim is missing; scripts/setup.sh installs the npm packages" >&2
  exit 1
fi

cmake --preset wasm >/dev/null
cmake --build --preset wasm -j"$(nproc)" --target tandrel-core

site=build/web
rm -rf "$site"
mkdir -p "$site/vendor/browser_wasi_shim"
cp -r web/. "$site/"
cp build/wasm/wasm/tandrel-core.wasm "$site/"
cp "$shim"/dist/*.js "$shim"/LICENSE-* "$site/vendor/browser_wasi_shim/"

# The service worker's list of the files it keeps, and their version: a hash of
# them all, so that a changed file makes browsers fetch the new site once.
(
  cd "$site"
  files=$(find . -type f ! -name sw.js | sed 's|^\./||' | LC_ALL=C sort)
  version=$(echo "$files" | xargs sha256sum | sha256sum | cut -c1-16)
  {
    echo "// Written by scripts/web.sh: the files the service worker keeps, and their version."
    echo "self.TANDREL_VERSION = '$version';"
    echo "self.TANDREL_FILES = ['./',"
    echo "$files" | sed "s|.*|  '&',|"
    echo "];"
  } >files.js
)
echo "web: the site is in $site/ ($(du -sh "$site" | cut -f1))"

if [ "$mode" = serve ]; then
  echo "web: serving http://127.0.0.1:8080/ (Ctrl+C ends it)"
  exec python3 -m http.server 8080 --bind 127.0.0.1 --directory "$site"
fi

# What the tests and the benchmark compare the page with, built where missing.
native_built() { # target path
  if [ ! -x "$2" ]; then
    cmake --preset native >/dev/null
    cmake --build --preset native -j"$(nproc)" --target "$1"
  fi
}
if [ -z "${TANDREL_CLI:-}" ]; then
  TANDREL_CLI=build/native/cli/tandrel-cli
  native_built tandrel-cli "$TANDREL_CLI"
fi
door_answer=build/native/tests/wasm/door_answer
[ "$mode" != --bench ] || native_built door_answer "$door_answer"
export TANDREL_CLI TANDREL_SITE=$site
case $mode in
--check) exec node --test tests/browser/web_test.mjs ;;
--screenshots) TANDREL_SCREENSHOTS=docs exec node --test tests/browser/web_test.mjs ;;
--bench) exec node tests/browser/web_bench.mjs "$door_answer" ;;
esac
