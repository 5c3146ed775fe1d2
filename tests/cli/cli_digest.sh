#!/usr/bin/env bash
# Prints one sha256 for each of a fixed list of tandrel-cli requests: its
# standard output, its standard error and its exit code. The list covers every
# mode and format (ratio and thread, bisection and every train, two, four, six
# and any gears, the fit with and without a banjo, the example lathes, the
# chart in text, csv, json and html with --suggest, and refused arguments), so
# that a change meant to leave the tool's output alone can show that it does:
# record the digests before it, and compare after.
#
#   tests/cli/cli_digest.sh [TANDREL_CLI] > digests.txt
#
# The html chart carries today's date, which is written as DATE before the
# digest. A few seconds in all.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cli=$(realpath "${1:-$root/build/native/cli/tandrel-cli}")
lathes=$root/docs/lathes

# Lathe files of its own, named relative to a folder of their own, so that the
# file names in the output are the same wherever the script runs.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cat > charted.tandrel << 'EOF'
name = "Charted"
gears = "20-60/5, 127"
leadscrew = "8tpi"
chart = ["M6", "1/2-13 UNC", "1.5mm", "1module"]
EOF
cat > half-banjo.tandrel << 'EOF'
gears = "20-80/5"
[banjo]
module = 1.5
centre_distance = 120
stud_min = 40
EOF
cat > slot-reversed.tandrel << 'EOF'
gears = "20-80/5"
[banjo]
module = 1.5
centre_distance = 120
stud_min = 100
stud_max = 40
EOF
cat > both-pitches.tandrel << 'EOF'
gears = "20-80/5"
[banjo]
dp = 16
module = 1.5
EOF

small='20-60/10,35,127' # six gears over 150 sizes take seconds; over these, moments
banjo=(--module 1.5 --centre-distance 120 --stud-min 40 --stud-max 100 --max-last 100)

requests=(
  # Ratios: the bisection, every train, the option boxes' order, gear sets.
  "--teeth 20-80,127 1.5875"
  "--teeth 20-80,127 --format csv 1.5875"
  "--teeth 20-80,127 --format json 1.5875"
  "--teeth 20-80/5,35x2 --mult 40=2 --driver-larger-first --driven-smaller-first 0.7"
  "--gears 0000111100001111000011110000111100001111 0.9"
  "--every --teeth 20-80 --tolerance 0.0005 --limit 5 2.5"
  "--every --teeth 20-80 --tolerance 20ppm --limit 0 --format csv 1.25"
  "--every --teeth 20-80 --tolerance 0.000001 --format json 3.14159"
  "--every --teeth 20-40 --format json 9.5"
  "--teeth 127 1.5"
  "--teeth 20-80 1000"
  # Threads: units, designations, starts, fixed ratio, the nearest trains.
  "--pitch 1.25mm --leadscrew 8tpi --teeth 20-80,127 --limit 5"
  "--pitch 1.25mm --leadscrew 8tpi --teeth 20-80,127 --limit 5 --format csv"
  "--pitch 1.25mm --leadscrew 8tpi --teeth 20-80,127 --limit 5 --format json"
  "--pitch M8 --leadscrew 8tpi --teeth 20-80 --tolerance 1ppm"
  "--pitch M8 --leadscrew 8tpi --teeth 20-80 --tolerance 1ppm --format json"
  "--pitch 0.35mm --leadscrew 8tpi --teeth 20-35/5,40x2,45-80/5,127 --limit 3"
  "--pitch 80tpi --leadscrew 3mm --teeth 20-80/5 --format json"
  "--pitch 1/2-13_UNC --leadscrew 3mm --teeth 20-80,127 --fit 20 --limit 4"
  "--pitch 3/8-24 --leadscrew 2mm --starts 2 --fixed 0.5 --teeth 20-80/5,127 --limit 4"
  "--pitch 1.5module --leadscrew 0.2in --teeth 20-80/5,127 --limit 3 --format json"
  "--pitch 20dp --leadscrew P2 --teeth 20-80/5,127 --limit 3"
  "--pitch 36tpi --leadscrew 8tpi --teeth 20-80/5,127 --limit 3"
  "--pitch 1.5mm --starts 2 --leadscrew 8tpi --teeth 20-80/5,127 --limit 3 --format json"
  "--every --pitch 11tpi --leadscrew 3mm --fit 20 --teeth 20-80,127 --limit 4"
  # Trains of two, six and any gears.
  "--train 2 --pitch 16tpi --leadscrew 8tpi --teeth 20-80,127 --limit 3"
  "--train 2 --teeth 20-80 --format csv --limit 4 0.75"
  "--train 6 --teeth $small --limit 4 0.123"
  "--train 6 --teeth $small --limit 4 --format json --pitch M8 --leadscrew 8tpi"
  "--train 6 --teeth $small --limit 4 --format csv 0.4"
  "--train any --teeth $small --limit 6 0.5"
  "--train any --teeth $small --limit 6 --format json 1.7"
  "--train 2 --teeth 20-80/5 ${banjo[*]} --fit --limit 3 0.5"
  "--train 6 --teeth $small ${banjo[*]} --fit --limit 3 0.2"
  "--train any --teeth $small ${banjo[*]} --limit 3 --format csv 0.3"
  # The fit: the margin, the banjo's geometry, with and without --fit.
  "--teeth 20-80,127 --fit=20 1.5875"
  "--teeth 20-80,127 --fit 20 1.5875"
  "--pitch 1.25mm --leadscrew 8tpi --teeth 20-80,127 ${banjo[*]} --fit --limit 3"
  "--pitch 1.25mm --leadscrew 8tpi --teeth 20-80,127 ${banjo[*]} --limit 3 --format csv"
  "--pitch 1.25mm --leadscrew 8tpi --teeth 20-80,127 ${banjo[*]} --fit --limit 3 --format json"
  "--every --teeth 20,40,60,127 --module 2 --centre-distance 100 --stud-min 20 --stud-max 200 --fit -- 0.236220472440945"
  "--teeth 20-80,127 --dp 16 --centre-distance 150 --stud-min 45 --stud-max 125 --clearance 0 --max-a 60 --fit 0.236"
  # The example lathes, and options over their values.
  "--lathe $lathes/imperial.tandrel --pitch 1.25mm --limit 3"
  "--lathe $lathes/metric.tandrel --pitch 11tpi --limit 3 --format json"
  "--lathe $lathes/mini.tandrel --train 2 --pitch 1mm --limit 3"
  "--lathe $lathes/mini.tandrel --pitch 1mm --stud-max 90 --clearance 1 --limit 3"
  "--lathe $lathes/imperial.tandrel --fixed 2 --leadscrew 4mm --pitch M6 --limit 2"
  "--lathe charted.tandrel 0.75"
  # Charts: every format, the lists, suggestions, kinds, lathe files.
  "chart --leadscrew 8tpi --metric --teeth 20-80,127 --fit 20"
  "chart --leadscrew 8tpi --metric --teeth 20-80,127 --fit 20 --format csv"
  "chart --leadscrew 8tpi --metric --teeth 20-80,127 --fit 20 --format json"
  "chart --leadscrew 8tpi --metric --teeth 20-80,127 --fit 20 --format html"
  "chart --leadscrew 3mm --imperial --teeth 20,25,30,35,40,45,50,55,60,65,70,75,80 --mult 35=2 --suggest 3"
  "chart --leadscrew 3mm --imperial --teeth 20-80/5,35x2 --suggest 3 --format csv"
  "chart --leadscrew 3mm --imperial --teeth 20-80/5,35x2 --suggest 3 --format json"
  "chart --leadscrew 3mm --imperial --teeth 20-80/5,35x2 --suggest 2 --format html"
  "chart --leadscrew 8tpi --pitches 8tpi,11tpi,M6,1/2-13_UNC,0.35mm --teeth 20-80/5 --tolerance 50ppm"
  "chart --leadscrew 8tpi --pitches 36tpi,1.5mm,M8 --teeth $small --train 2"
  "chart --leadscrew 8tpi --pitches 36tpi,1.5mm,M8 --teeth $small --train 6 --format csv"
  "chart --leadscrew 8tpi --pitches 36tpi,1.5mm,M8 --teeth $small --train any --format json"
  "chart --lathe $lathes/metric.tandrel --metric"
  "chart --lathe $lathes/metric.tandrel --metric --format html"
  "chart --lathe $lathes/imperial.tandrel --imperial --format csv"
  "chart --lathe $lathes/mini.tandrel --imperial --train 2 --format json"
  "chart --lathe charted.tandrel"
  "chart --lathe charted.tandrel --format html --suggest 1"
  "chart --leadscrew 8tpi --metric --teeth 20-80,127 ${banjo[*]} --format html"
  "chart --leadscrew 2mm --pitches 1mod,2.5mod --teeth 20-80/5,127 --fixed 0.5 --format json"
  # Refused arguments, and the texts that are no search.
  ""
  "1.2.3"
  "-- -0.5"
  "--teeth 17x4 1.5"
  "--teeth 20-50,40-80 1.5"
  "--gears 0012 1.5"
  "--mult 40 1.5"
  "--pitch 1/2-14 --leadscrew 8tpi"
  "--pitch 1.25 --leadscrew 8tpi"
  "--pitch 1.25mm"
  "--pitch 1.25mm --leadscrew 1.5module"
  "--tolerance 0.001 1.5"
  "--every --tolerance 2 1.5"
  "--fit 0.236"
  "--fit 20.5 1.5"
  "--format html 1.5"
  "--module 1.5 1.5"
  "--module 1.5 --centre-distance 120 --stud-min 40 1.5"
  "--module 1.5 --dp 16 --centre-distance 120 --stud-min 40 --stud-max 100 1.5"
  "--module 1.5 --centre-distance 120 --stud-min 100 --stud-max 40 1.5"
  "--lathe $lathes/mini.tandrel --stud-min 85 1.5"
  "--lathe $lathes/mini.tandrel --stud-max 30 1.5"
  "--lathe half-banjo.tandrel 1.5"
  "--lathe slot-reversed.tandrel 1.5"
  "--lathe both-pitches.tandrel 1.5"
  "--lathe missing.tandrel 1.5"
  "--lathe charted.tandrel --module 1 --centre-distance 90 --stud-min 30 1.5"
  "--train 5 1.5"
  "chart --metric"
  "chart --leadscrew 8tpi"
  "chart --leadscrew 8tpi --metric 1.5"
  "chart --leadscrew 8tpi --metric --imperial"
  "chart --leadscrew 8tpi --pitches M6,x"
  "--bogus 1.5"
  "--version"
  "--help"
)

for request in "${requests[@]}"; do
  # Word splitting gives the arguments; an underscore stands for a space within one.
  read -r -a words <<< "$request"
  args=()
  for word in ${words[@]+"${words[@]}"}; do
    args+=("${word//_/ }")
  done
  set +e
  out=$("$cli" ${args[@]+"${args[@]}"} 2> err.txt)
  code=$?
  set -e
  if [[ " $request " == *" --format html "* ]]; then
    out=$(sed -E 's/[0-9]{4}-[0-9]{2}-[0-9]{2}/DATE/g' <<< "$out")
  fi
  digest=$( (printf '%s\n' "$out"; cat err.txt; echo "exit $code") | sha256sum)
  echo "${digest%% *}  ${request//$lathes/docs\/lathes}"
done
