#!/usr/bin/env bash
# The core built as WebAssembly finds the trains the native tool finds: runs
# wasm_smoke.wasm in Node and compares its trains with tandrel-cli's for the
# same searches. Skips (77) without the wasm build or without Node.
#
#   wasm_smoke.sh RUN_WASI.mjs WASM_SMOKE.wasm TANDREL_CLI
set -euo pipefail
runner=$1 wasm=$2 cli=$3
[ -f "$wasm" ] || { echo "skipped: no $wasm (cmake --preset wasm && cmake --build --preset wasm)"; exit 77; }
command -v node >/dev/null || { echo "skipped: no node to run $wasm (scripts/setup.sh installs it)"; exit 77; }

wasm_out=$(node --no-warnings "$runner" "$wasm")
native_out=$(for target in 0.5 1.5 2.54 0.3937 1; do
  echo "$target" # then the csv's gears, achieved ratio and error
  "$cli" --teeth 16-165 --every --format csv "$target" | tail -n +2 | cut -d, -f2-7 | tr , ' '
done)
if [ "$wasm_out" != "$native_out" ]; then
  echo "the WebAssembly build's trains differ from tandrel-cli's:"
  diff <(echo "$native_out") <(echo "$wasm_out") | head -20
  exit 1
fi
echo "the WebAssembly build finds tandrel-cli's $(grep -c ' ' <<<"$native_out") trains"
