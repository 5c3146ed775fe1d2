#!/usr/bin/env bash
# tandrel-core.wasm answers as the native tool and door do: asks the module's
# door in Node for each request below and compares its answer byte for byte
# with tandrel-cli's --format json for the same request, or, for what the tool
# does not do, with the native door's. Skips (77) without the wasm build or Node.
#
#   door_node.sh DOOR.mjs TANDREL_CORE.wasm TANDREL_CLI DOOR_ANSWER LATHES
set -euo pipefail
loader=$1 wasm=$2 cli=$3 native=$4 lathes=$5
[ -f "$wasm" ] || { echo "skipped: no $wasm (cmake --preset wasm && cmake --build --preset wasm)"; exit 77; }
command -v node >/dev/null || { echo "skipped: no node to run $wasm (scripts/setup.sh installs it)"; exit 77; }

imperial='{"name":"Imperial lathe, 8 TPI","gears":"20-80/5, 127","leadscrew":"8tpi","fixed":1,"fit":{"margin":15},
  "banjo":{"dp":16,"centre_distance":150,"stud_min":45,"stud_max":125,"clearance":3,"max_last":80},
  "dial":{"teeth":16,"lines":8,"numbers":4}}'
# A request, then the tool's arguments that ask the same, or - for the native door.
cases=(
  '{"lathe":{"gears":"20-80, 127"},"ratio":"1.5875"}'
  '--teeth 20-80,127 1.5875'
  '{"lathe":{"gears":"20-80/5, 127","leadscrew":"8tpi"},"pitch":"M8","starts":2}'
  '--teeth 20-80/5,127 --leadscrew 8tpi --pitch M8 --starts 2'
  '{"op":"chart","lathe":{"gears":"20-60/5","leadscrew":"3mm"},"pitches":"metric","suggest":2}'
  'chart --teeth 20-60/5 --leadscrew 3mm --metric --suggest 2'
  '{"lathe":{"gears":"20-60/10, 35, 127"},"train":6,"ratio":0.3937,"limit":5}'
  '--teeth 20-60/10,35,127 --train 6 --limit 5 0.3937'
  "{\"lathe\":$imperial,\"pitch\":\"1.5mm\"}"
  "--lathe $lathes/imperial.tandrel --pitch 1.5mm"
  "{\"op\":\"readLathe\",\"text\":$(node -e 'process.stdout.write(JSON.stringify(require("fs").readFileSync(process.argv[1], "utf8")))' "$lathes/mini.tandrel")}"
  -
  "{\"op\":\"drawing\",\"lathe\":$imperial,\"pitch\":\"1.5mm\",\"index\":1}"
  -
  '{"op":"readGears","text":"20-80/5, 40x2"}'
  -
  '{"op":"readThread","text":"1/2-14 UNC"}'
  -
  '{"ratio":"1.5","pitch":"M8"}'
  -
)
failed=0
for ((i = 0; i < ${#cases[@]}; i += 2)); do
  request=${cases[i]} args=${cases[i + 1]}
  answer=$(node --no-warnings "$loader" "$wasm" <<<"$request")
  if [ "$args" = - ]; then
    expected=$("$native" <<<"$request")
  else
    # shellcheck disable=SC2086 # the arguments are words
    expected=$("$cli" $args --format json)
  fi
  if [ "$answer" != "$expected" ]; then
    echo "differs for $request:"
    diff <(echo "$expected") <(echo "$answer") | head -10
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "tandrel-core.wasm answers $((${#cases[@]} / 2)) requests as the native tool and door do"
exit "$failed"
