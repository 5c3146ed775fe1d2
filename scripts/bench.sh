#!/usr/bin/env bash
# Times what a user waits for and prints one Markdown table: every kind of
# tandrel-cli request on the 150-gear set (16 to 165 teeth), each run RUNS
# times as its own process (wall-clock median and 90th percentile, the median
# of its user and system time, the largest resident memory), then the
# searches alone from search_bench (medians of RUNS repetitions) with the
# every-train search's ratio to the bisection at each target, and the window's
# keystroke in each mode where the windows preset is built, with the time to
# the answer shown where the search runs on the worker, and Wine's own floor.
# Usage: scripts/bench.sh [BUILD_DIR]   (default build/native; RUNS=5, KEYSTROKES=100)
set -euo pipefail

build=${1:-build/native}
runs=${RUNS:-5}
cli="$build/cli/tandrel-cli"
bench="$build/tests/bench/search_bench"
root=$(cd "$(dirname "$0")/.." && pwd)
lathe="$root/docs/lathes/imperial.tandrel"
for tool in "$cli" "$bench"; do
    [[ -x $tool ]] || { echo "bench.sh: $tool is missing: build the native preset first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The n-th smallest of the numbers on standard input, n = ceil(share * count).
rank() { sort -g | awk -v share="$1" '{ v[NR] = $1 } END { n = int(share * NR); if (n < share * NR) n++; printf "%.1f", v[n] }'; }

row() { printf '| %s | %s | %s | %s | %s | %s |\n' "$@"; }

echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg); $runs runs each"
echo
row "Request or search" "median ms" "p90 ms" "CPU ms" "max RSS MB" "goal"
row "---" "---:" "---:" "---:" "---:" "---"

# One CLI request: its label, its goal and its arguments.
request() {
    local label=$1 goal=$2
    shift 2
    : >"$work/wall" && : >"$work/cpu" && : >"$work/rss"
    for ((i = 0; i < runs; i++)); do
        # Wall time from just before to just after the process; the
        # subshell's children's user and system time, to the millisecond.
        (
            start=$(date +%s%N)
            /usr/bin/time -f %M -o "$work/time" "$cli" "$@" >/dev/null 2>&1 || true
            end=$(date +%s%N)
            echo $(((end - start) / 1000)) | awk '{ print $1 / 1000 }' >>"$work/wall"
            times >"$work/times" # a builtin: in a pipe it would count the pipe's children
            tail -n1 "$work/times" | tr 'ms' '  ' | awk '{ print ($2 + $4) * 1000 + ($1 + $3) * 60000 }' >>"$work/cpu"
        )
        tail -n1 "$work/time" >>"$work/rss"
    done
    row "\`$label\`" "$(rank 0.5 <"$work/wall")" "$(rank 0.9 <"$work/wall")" "$(rank 0.5 <"$work/cpu")" \
        "$(sort -g "$work/rss" | tail -n1 | awk '{ printf "%.1f", $1 / 1024 }')" "$goal"
}

gears=(--teeth 16-165)
banjo=(--lathe "$lathe" --fit)
chart=(chart --imperial --leadscrew 8tpi)
request "--train 2 0.5" "≤ 100 ms" "${gears[@]}" --train 2 0.5
request "0.5 (bisection)" "≤ 100 ms" "${gears[@]}" 0.5
request "--every 1.0" "≤ 100 ms" "${gears[@]}" --every 1.0
request "--train 6 0.5" "≤ 100 ms" "${gears[@]}" --train 6 0.5
request "--train any 1.0" "≤ 100 ms" "${gears[@]}" --train any 1.0
request "--fit 15 --every 1.0" "≤ 100 ms" "${gears[@]}" --fit 15 --every 1.0
request "--fit 15 --train 6 0.5" "≤ 100 ms" "${gears[@]}" --fit 15 --train 6 0.5
request "banjo --every 1.0" "≤ 100 ms" "${gears[@]}" "${banjo[@]}" --every 1.0
request "banjo --train 6 0.5" "≤ 100 ms" "${gears[@]}" "${banjo[@]}" --train 6 0.5
request "banjo --train any 1.0" "≤ 100 ms" "${gears[@]}" "${banjo[@]}" --train any 1.0
request "chart (32 rows)" "≤ 100 ms" "${chart[@]}" "${gears[@]}"
request "chart --train 6" "≤ 100 ms" "${chart[@]}" "${gears[@]}" --train 6
request "chart banjo" "≤ 100 ms" chart --imperial "${gears[@]}" "${banjo[@]}"
request "chart banjo --train 6" "≤ 100 ms" chart --imperial "${gears[@]}" "${banjo[@]}" --train 6
runs=1 request "--train 6 --count 0.5 (once)" "asked for: none" "${gears[@]}" --train 6 --count 0.5

# The searches alone: medians of the repetitions, real and CPU time in ms.
"$bench" --benchmark_filter='FindGearTrains|every_train|six_gear|window_search' \
    --benchmark_repetitions="$runs" --benchmark_min_time=0.1 --benchmark_report_aggregates_only=true --benchmark_format=csv \
    2>/dev/null >"$work/bench.csv"
awk -F, '
    function ms(value, unit) { return unit == "us" ? value / 1000 : unit == "ns" ? value / 1e6 : value }
    $1 ~ /_median"$/ {
        name = $1; gsub(/"|_median/, "", name)
        real[name] = ms($3, $5); cpu[name] = ms($4, $5); order[++n] = name
    }
    END {
        for (i = 1; i <= n; ++i) {
            name = order[i]; goal = ""
            if (name ~ /six_gear_search/) goal = "≤ 10 ms"
            if (name ~ /every_train_search/) {
                split(name, part, "/")
                ratio = cpu[name] / cpu["BM_FindGearTrains/" part[2]]
                goal = sprintf("%.1f× the bisection (≤ 3×)", ratio)
            }
            printf "| %s | %.2f | – | %.2f | – | %s |\n", name, real[name], cpu[name], goal
        }
    }' "$work/bench.csv"
# The window's keystroke in each mode, with keystroke_timing under Wine on a
# virtual display, when the windows preset has built it (KEYSTROKES each).
timing=build/windows/tests/window/keystroke_timing.exe
if [[ -f $root/$timing ]] && command -v xvfb-run >/dev/null; then
    median() { sed -n 's/.*median \([0-9.]*\).*/\1/p'; }
    p90() { sed -n 's/.*p90 \([0-9.]*\).*/\1/p'; }
    : >"$work/floor"
    for modes in "" every "every fit banjo" simple six "six fit banjo" "every six fit banjo" chart; do
        (cd "$root" && xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
            "cmake/wine-run.sh $timing ${KEYSTROKES:-100} $modes > '$work/keys' 2>/dev/null; source scripts/wine-env.sh; wineserver -k")
        line=$(grep 'per keystroke' "$work/keys")
        row "window keystroke: ${modes:-bisection}" "$(median <<<"$line")" "$(p90 <<<"$line")" "" "" \
            "≤ 16 ms median, p90 < 33 ms"
        # A complete search runs on the worker: its answer shows after the keystroke.
        if [[ -n $modes && $modes != chart ]]; then
            line=$(grep 'answer shown' "$work/keys")
            row "… its answer shown (worker)" "$(median <<<"$line")" "$(p90 <<<"$line")" "" "" \
                "none: off the window's thread"
        fi
        grep "Wine's floor" "$work/keys" >>"$work/floor" || true
    done
    # The same keys into a plain edit control, which recalculates nothing, and its repaint: all runs together.
    row "Wine's floor: the keys into a plain edit control" \
        "$(median <"$work/floor" | rank 0.5)" "$(p90 <"$work/floor" | rank 0.5)" "" "" "what no program can go below"
else
    row "window keystroke" "not run: build the windows preset" "" "" "" "≤ 16 ms median, p90 < 33 ms"
fi
