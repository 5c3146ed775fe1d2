#!/usr/bin/env bash
# The printable chart in a real browser: headless Chromium prints the page of
# the metric chart of an example lathe to PDF; it must take at most two pages
# for its 24 rows, hold every thread's name and every train as text, and its
# first page must not be blank. Skipped, saying why, where Chromium is absent.
#
#   print_chart.sh TANDREL_CLI LATHE_FILE [KEEP_DIR]   (KEEP_DIR: where the PDF and page 1 stay)
set -euo pipefail
cli=$1
lathe=$2
if ! command -v chromium >/dev/null; then
  echo "SKIPPED: chromium is not installed (scripts/setup.sh installs it), so the page is not printed"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" chart --lathe "$lathe" --metric --format html >"$work/chart.html"
"$cli" chart --lathe "$lathe" --metric --format csv >"$work/chart.csv"

timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$work/profile" --no-pdf-header-footer --print-to-pdf="$work/chart.pdf" \
  "file://$work/chart.html" >"$work/chromium.log" 2>&1 || true
if [ ! -s "$work/chart.pdf" ]; then
  echo "chromium printed no PDF:" >&2
  cat "$work/chromium.log" >&2
  exit 1
fi

status=0
rows=$(($(wc -l <"$work/chart.csv") - 1))
pages=$(pdfinfo "$work/chart.pdf" | awk '/^Pages:/ { print $2 }')
echo "$rows rows on $pages pages"
if [ "$rows" -ne 24 ] || [ "$pages" -gt 2 ]; then
  echo "expected 24 rows on at most 2 pages" >&2
  status=1
fi

# The text of the PDF on one line, a cell that wraps joined by a space.
pdftotext "$work/chart.pdf" - | tr -s ' \n' '  ' >"$work/chart.txt"
# Each row of the CSV: its thread, and its train as the page writes it: in
# position order where the fit or the banjo placed it (columns A B C D, or a
# stud given: "20 60 40" with an idler), otherwise "drivers 20·25 / driven
# 75·80" (a row without a train has none).
IFS=, read -ra header <"$work/chart.csv"
while IFS=, read -ra cells; do
  unset row
  declare -A row=()
  for i in "${!header[@]}"; do row[${header[i]}]=${cells[i]:-}; done
  wanted=("${row[thread]}")
  if [ -n "${row[A]:-}" ]; then
    wanted+=("${row[A]} ${row[B]} ${row[C]} ${row[D]}")
  elif [ -n "${row[stud]:-}" ]; then
    read -ra d <<<"${row[drivers]}"
    read -ra n <<<"${row[driven]}"
    positions="${d[0]}${row[idler]:+ ${row[idler]}}"
    for ((i = 0; i < ${#n[@]}; i++)); do
      positions+=" ${n[i]}"
      if ((i + 1 < ${#d[@]})); then positions+=" ${d[i + 1]}"; fi
    done
    wanted+=("$positions")
  elif [ -n "${row[drivers]:-}" ]; then
    wanted+=("drivers ${row[drivers]// /·} / driven ${row[driven]// /·}")
  fi
  for text in "${wanted[@]}"; do
    if ! grep -qF -- "$text" "$work/chart.txt"; then
      echo "not in the PDF's text: $text" >&2
      status=1
    fi
  done
done < <(tail -n +2 "$work/chart.csv")

pdftoppm -png -r 60 -f 1 -l 1 "$work/chart.pdf" "$work/page"
ink=$(convert "$work"/page-1.png -colorspace gray -format '%[fx:1-mean]' info:)
echo "page 1: ink $ink"
if ! awk -v ink="$ink" 'BEGIN { exit !(ink > 0.01) }'; then
  echo "page 1 is blank" >&2
  status=1
fi
if [ -n "${3:-}" ]; then
  cp "$work/chart.pdf" "$work/page-1.png" "$3/"
fi
exit $status
