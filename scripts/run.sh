#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under Wine.
# Any arguments are passed to the program (for example a gear-set string).
#
# Without a display ($DISPLAY empty) it starts a virtual one, waits for the
# window, types the ratio 1.5875 into it, saves a screenshot, ends the program
# through File -> Exit, prints where the screenshot is and ends the prefix's
# Wine server, which would otherwise outlive the virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake --preset windows >/dev/null
cmake --build --preset windows --target tandrel -j"$(nproc)"

source scripts/wine-env.sh
program=build/windows/win/tandrel.exe

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$program" "$@"
fi

# No display: a virtual one without a window manager. Wine then draws the
# window's frame and title bar itself (unmanaged windows) for the time of the run.
screenshot="$PWD/build/windows/tandrel-window.png"
display=":$((90 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
x11key='HKCU\Software\Wine\X11 Driver'
tandrel=""
cleanup() {
  if [ -n "$tandrel" ]; then kill "$tandrel" 2>/dev/null || true; fi
  wine reg delete "$x11key" /v Managed /f >/dev/null 2>&1 || true
  wineserver -k </dev/null >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
wine reg add "$x11key" /v Managed /d N /f >/dev/null 2>&1

wine "$program" "$@" </dev/null >/dev/null 2>&1 &
tandrel=$!
if ! window=$(timeout 60 xdotool search --sync --name '^Tandrel$' | head -n 1) || [ -z "$window" ]; then
  echo "run: the Tandrel window did not appear" >&2
  exit 1
fi
sleep 1
xdotool mousemove 0 0
xdotool type --delay 100 1.5875
sleep 1
import -window "$window" "$screenshot"
echo "run: screenshot saved to $screenshot"

# File -> Exit through the keyboard: Alt+F opens the menu, X chooses Exit.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 200 alt+f x
status=0
if ! timeout 20 tail --pid="$tandrel" -f /dev/null; then
  echo "run: the program did not end after File -> Exit" >&2
  exit 1
fi
wait "$tandrel" || status=$?
tandrel=""
echo "run: Tandrel ended with exit code $status"
exit "$status"
