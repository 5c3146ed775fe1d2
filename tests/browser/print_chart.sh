#!/usr/bin/env bash
# The printable chart in a real browser: headless Chromium prints the page of
# the metric chart of an example lathe to PDF, on A4 and on Letter. Its 24
# rows must take at most 4 pages, the table at most the first 2; the PDF must
# hold every thread's name and every train as text; every drawing must be at
# least 45 mm wide (measured on its frame in the page drawn at 144 dpi) and
# the tooth counts on the pages after the table at least 8 pt (their text's
# height against the 14 pt heading's); and the first page must not be blank. Skipped, saying why,
# where Chromium is absent.
#
#   print_chart.sh TANDREL_CLI LATHE_FILE [KEEP_DIR]
#   (KEEP_DIR: where the A4 PDF, its page 1 and its first page of drawings stay)
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

status=0
fail() {
  echo "$*" >&2
  status=1
}

rows=$(($(wc -l <"$work/chart.csv") - 1))
[ "$rows" -eq 24 ] || fail "expected 24 rows, the CSV has $rows"
# The rows with a train (gears in column A, or drivers), each of which has a drawing.
drawings=$(awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) column[$i] = i; next }
                    ("A" in column && $column["A"] != "") || ("drivers" in column && $column["drivers"] != "") { n++ }
                    END { print n + 0 }' "$work/chart.csv")

# Prints the page on the paper to $work/PAPER.pdf.
print() {
  local paper=$1
  sed "s|</style>|@page { size: $paper; }\n</style>|" "$work/chart.html" >"$work/$paper.html"
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --no-pdf-header-footer --print-to-pdf="$work/$paper.pdf" \
    "file://$work/$paper.html" >"$work/chromium.log" 2>&1 || true
  if [ ! -s "$work/$paper.pdf" ]; then
    echo "chromium printed no PDF on $paper:" >&2
    cat "$work/chromium.log" >&2
    exit 1
  fi
}

# The page that holds the text first, 0 if none does (pages end in a form feed).
page_of() {
  pdftotext "$1" - | awk -v RS='\f' -v text="$2" '{ gsub(/[ \n]+/, " ") }
    !found && index($0, text) { print NR; found = 1 } END { if (!found) print 0 }'
}

for paper in A4 Letter; do
  print "$paper"
  pdf="$work/$paper.pdf"
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
  table=$(page_of "$pdf" "A row in italics has no train within tolerance")
  trains=$(page_of "$pdf" "Each gear is its pitch circle")
  echo "$paper: $rows rows on $pages pages, the table on pages 1 to $table, the drawings from page $trains"
  [ "$pages" -le 4 ] || fail "$paper: expected at most 4 pages"
  [ "$table" -ge 1 ] && [ "$table" -le 2 ] || fail "$paper: expected the table on at most 2 pages"

  # Every drawing's frame: its top and bottom edges are the page's horizontal
  # lines between 100 and 300 pt long (the table's lines span the page).
  widths=()
  for ((page = trains; page <= pages; page++)); do
    pdftoppm -png -r 144 -f "$page" -l "$page" "$pdf" "$work/lines"
    while read -r width; do widths+=("$width"); done < <(
      convert "$work"/lines-*"$page".png -colorspace gray -threshold 75% -negate -morphology Open rectangle:150x1 \
        -define connected-components:verbose=true -define connected-components:area-threshold=100 \
        -connected-components 8 null: |
        awk '$2 ~ /x/ { split($2, size, /[x+]/); w = size[1] / 2; if (size[2] <= 4 && w >= 100 && w <= 300) print w }')
    rm -f "$work"/lines-*.png
  done
  narrowest=$(printf '%s\n' "${widths[@]:-0}" | sort -n | head -n 1)
  echo "$paper: ${#widths[@]} frame edges of $drawings drawings; the narrowest $narrowest pt ($(awk -v w="$narrowest" 'BEGIN { printf "%.1f", w * 25.4 / 72 }') mm)"
  [ "${#widths[@]}" -eq $((2 * drawings)) ] || fail "$paper: expected a frame for each of the $drawings drawings"
  awk -v w="$narrowest" 'BEGIN { exit !(w * 25.4 / 72 >= 45) }' || fail "$paper: a drawing is narrower than 45 mm"

  # The tooth counts: the whole numbers on the pages after the table's, their
  # size the height of their text against the 14 pt heading's.
  pdftotext -bbox "$pdf" - | awk -v table="$table" '
    /<page / { page++ }
    /<word / {
      match($0, /yMin="[0-9.]+"/); yMin = substr($0, RSTART + 6, RLENGTH - 7)
      match($0, /yMax="[0-9.]+"/); height = substr($0, RSTART + 6, RLENGTH - 7) - yMin
      word = $0; sub(/.*">/, "", word); sub(/<\/word>.*/, "", word)
      if (!heading && word == "Thread") heading = height
      if (page > table && word ~ /^[0-9]+$/ && word + 0 >= 16 && word + 0 <= 165) {
        size = 14 * height / heading; n++
        if (!smallest || size < smallest) smallest = size
      }
    }
    END { printf "%d %.2f\n", n, smallest }' >"$work/teeth"
  read -r teeth smallest <"$work/teeth"
  echo "$paper: $teeth tooth counts in the drawings, the smallest $smallest pt"
  [ "$teeth" -ge "$drawings" ] || fail "$paper: expected the drawings' tooth counts as text"
  awk -v s="$smallest" 'BEGIN { exit !(s >= 8) }' || fail "$paper: a tooth count is smaller than 8 pt"
done

# The text of the A4 PDF on one line, a cell that wraps joined by a space.
pdftotext "$work/A4.pdf" - | tr -s ' \n' '  ' >"$work/chart.txt"
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
    grep -qF -- "$text" "$work/chart.txt" || fail "not in the PDF's text: $text"
  done
done < <(tail -n +2 "$work/chart.csv")

pdftoppm -png -r 60 -f 1 -l 1 "$work/A4.pdf" "$work/page"
ink=$(convert "$work"/page-1.png -colorspace gray -format '%[fx:1-mean]' info:)
echo "page 1: ink $ink"
awk -v ink="$ink" 'BEGIN { exit !(ink > 0.01) }' || fail "page 1 is blank"
if [ -n "${3:-}" ]; then
  trains=$(page_of "$work/A4.pdf" "Each gear is its pitch circle")
  pdftoppm -png -r 60 -f $((trains + 1)) -l $((trains + 1)) "$work/A4.pdf" "$work/drawings"
  cp "$work/A4.pdf" "$work/page-1.png" "$work"/drawings-*.png "$3/"
fi
exit $status
