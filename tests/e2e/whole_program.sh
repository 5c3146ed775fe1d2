#!/usr/bin/env bash
# The whole program as a user meets it: starts tandrel.exe under Wine with a
# gear-set string on its command line, drives it only with real mouse and
# keyboard input from outside (xdotool), and checks what it shows by reading
# its controls from outside (tandrel-probe.exe) and by screenshots.
#
#   whole_program.sh TANDREL_EXE PROBE_EXE OUTPUT_DIR
#
# Runs under scripts/ctest-wine.sh (display and warm Wine server given) or on
# its own. The main window stands at (400, 200) and is 570 x 630 pixels: on a
# smaller display (or none) the test starts a virtual display of its own.
set -uo pipefail

program=$1
probe_exe=$2
out=$3
mkdir -p "$out"

export WINEPREFIX="${WINEPREFIX:-$(cd "$out/../.." && pwd)/wineprefix}"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

app_pid=""
xvfb_pid=""
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    kill "$app_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  import -window root "$out/e2e-failure.png" 2>/dev/null
  exit 1
}

display_fits() {
  local width height
  read -r width height < <(xdotool getdisplaygeometry 2>/dev/null) || return 1
  [ "${width:-0}" -ge 1000 ] && [ "${height:-0}" -ge 880 ]
}

if [ -z "${DISPLAY:-}" ] || ! display_fits; then
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do display_fits && break; sleep 0.1; done
  display_fits || fail "no display of 1000 x 880 pixels or more"
fi

# One line per query; nothing when the main window does not exist.
probe() { wine "$probe_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# Waits until the queries answer exactly the expected text (at most
# $patience seconds).
patience=20
expect() {
  local expected=$1
  shift
  local deadline=$((SECONDS + patience)) got
  while :; do
    got=$(probe "$@")
    [ "$got" = "$expected" ] && return 0
    [ "$SECONDS" -ge "$deadline" ] && fail "'$*' shows '${got//$'\n'/|}', expected '${expected//$'\n'/|}'"
    sleep 0.1
  done
}

# The centre of a rectangle "left top right bottom", clipped to an outer one.
centre() {
  local l t r b L T R B
  read -r l t r b <<<"$1"
  read -r L T R B <<<"${2:-$1}"
  ((l < L)) && l=$L
  ((r > R)) && r=$R
  echo $(((l + r) / 2)) $(((t + b) / 2))
}

# The four tooth fields' texts, ascending.
teeth() { probe text 3003 text 3004 text 3005 text 3006 | sort -n | tr '\n' ' '; }

# A screenshot of one control's rectangle.
snapshot() {
  local l t r b
  read -r l t r b <<<"$(probe rect "$1")"
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$2"
}

click() {
  xdotool mousemove --sync $1 click "$2"
}

# Stock: 20, 25, 30, 40, 50 and 60 teeth. A ratio of 1.5 has two exact trains
# with one gear of each size, and four when there are two gears of 25 teeth.
gear_set=$(printf '0%.0s' $(seq 150))
for tooth in 20 25 30 40 50 60; do
  i=$((tooth - 16))
  gear_set="${gear_set:0:i}1${gear_set:i+1}"
done

wine "$program" "$gear_set" </dev/null >"$out/e2e-program.log" 2>&1 &
app_pid=$!

echo "start: nothing calculated, the ratio field has the focus"
patience=90 expect 1 visible 1000 # a cold Wine prefix takes a while to start
expect $'\n0\n1000' text 3007 visible 1001 focus
expect $'1\n1\n0\n1' checked 4004 checked 4009 checked 4005 checked 4044

echo "type 1.5"
click "$(centre "$(probe rect 1000)")" 1
xdotool type --delay 60 "1.5"
expect $'1.5\n1.50000000000000\n0.00000000000000\n1\n1 2\n1' text 1000 text 3007 text 3008 text 3050 range visible 1001
[ "$(teeth)" = "25 30 40 50 " ] || fail "solution 1 shows the gears $(teeth)"

echo "step to solution 2 with the up-down's right arrow"
read -r l t r b <<<"$(probe rect 1001)"
click "$((r - 5)) $(((t + b) / 2))" 1
expect 2 text 3050
[ "$(teeth)" = "20 25 50 60 " ] || fail "solution 2 shows the gears $(teeth)"

echo "right-click gear box 25 and choose 2, then OK"
snapshot 4009 "$out/box25-before.png"
snapshot 4004 "$out/box20-before.png"
box=$(probe rect 4009)
click "$(centre "$box")" 3
expect "Number 25T Gears" dialog
read -r bl bt br bb <<<"$box"
read -r dl dt dr db <<<"$(probe dialog-rect 0)"
[ "$dl $dt" = "$br $((bt - 24))" ] || fail "the dialog stands at $dl,$dt, not beside the box ($br,$((bt - 24)))"
expect 1 dialog-checked 111
dialog=$(probe dialog-rect 0)
click "$(centre "$(probe dialog-rect 112)" "$dialog")" 1
expect $'1\n2\n1 2' dialog-checked 112 text 3050 range # stored, not yet searched
import -window root "$out/multiplicity-dialog.png"
click "$(centre "$(probe dialog-rect 1)" "$dialog")" 1
expect $'\n1\n1 4\n1000' dialog text 3050 range focus

echo "the label of box 25 carries the mark of two gears; box 20 is unchanged"
snapshot 4009 "$out/box25-after.png"
snapshot 4004 "$out/box20-after.png"
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
[ "$(differing "$out/box25-before.png" "$out/box25-after.png")" != 0 ] || fail "box 25 looks as before"
[ "$(differing "$out/box20-before.png" "$out/box20-after.png")" = 0 ] || fail "box 20 changed"

echo "Alt+/ opens the About box, Enter closes it"
xdotool key alt+slash
expect "About Tandrel" dialog
xdotool key Return
expect $'\n1000' dialog focus

# 30 * 50 / (40 * 60) = 0.625 exactly. Tab goes from the pitch past its unit and
# the starts to the leadscrew.
echo "Ctrl+T: a 1.25 mm pitch on a 2 mm leadscrew, OK; the thread line shows"
xdotool key ctrl+t
expect "Thread" dialog
xdotool type --delay 60 "1.25"
xdotool key --delay 100 Tab Tab Tab
xdotool type --delay 60 "2"
xdotool key Return
expect $'\n0.625\n1\n1.25 mm on 2 mm leadscrew: lead 1.250000 mm, +0.0 ppm, 0.00 µm over 25 mm\n1000' \
  dialog text 1000 visible 3060 text 3060 focus
import -window root "$out/e2e-thread.png"

echo "typing into the ratio field hides the thread line"
xdotool type --delay 60 "1"
expect 0 visible 3060
import -window root "$out/e2e-final.png"

echo "File, Exit: the program ends with exit code 0"
xdotool key --delay 300 alt+f x
for _ in $(seq 200); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after File, Exit"
wait "$app_pid"
rc=$?
app_pid=""
[ "$rc" = 0 ] || fail "exit code $rc"
echo "PASS"
