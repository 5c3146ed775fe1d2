#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine: a silent install into a
# folder of the test's own, the files and the Start-menu shortcut there, the
# installed program started bare showing the default gear set, then a silent
# uninstall that takes the files away again.
#
#   installer.sh SETUP_EXE PROBE_EXE
#
# Runs under scripts/ctest-wine.sh (display and warm Wine server given).
set -uo pipefail

setup=$1
probe_exe=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

folder=$(mktemp -d)
target="$folder/Tandrel"
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The Windows path of a Unix one, through drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

echo "install silently into $target"
wine "$setup" /S "/D=$(windows_path "$target")" </dev/null >/dev/null 2>&1 || fail "the installer failed"
for file in tandrel.exe tandrel-cli.exe README.md LICENSE Uninstall.exe; do
  [ -f "$target/$file" ] || fail "$file was not installed"
done
shortcut=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Tandrel/Tandrel.lnk' 2>/dev/null | head -n 1)
[ -n "$shortcut" ] || fail "no Start-menu shortcut to Tandrel"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tandrel'
listed() { wine reg query "$uninstall_key" /v UninstallString </dev/null >/dev/null 2>&1; }
listed || fail "no entry in Add/Remove Programs"

echo "the installed program, started bare, shows the default gear set (20 to 99)"
wine "$target/tandrel.exe" </dev/null >/dev/null 2>&1 &
app_pid=$!
queries=()
for id in $(seq 4000 4149); do queries+=(checked "$id"); done
expected=$(printf '0%.0s\n' $(seq 4); printf '1%.0s\n' $(seq 80); printf '0%.0s\n' $(seq 66))
for _ in $(seq 300); do
  got=$(wine "$probe_exe" "${queries[@]}" </dev/null 2>/dev/null | tr -d '\r')
  [ "$got" = "$expected" ] && break
  sleep 0.1
done
[ "$got" = "$expected" ] || fail "the gear boxes show '${got//$'\n'/}'"
kill "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=""

echo "uninstall silently"
# The uninstaller copies itself away and goes on from there: wait for the files to go.
wine "$target/Uninstall.exe" /S </dev/null >/dev/null 2>&1
for _ in $(seq 300); do
  [ ! -e "$target/tandrel.exe" ] && [ ! -e "$target/Uninstall.exe" ] && [ ! -e "$shortcut" ] && break
  sleep 0.1
done
for file in tandrel.exe tandrel-cli.exe README.md LICENSE Uninstall.exe; do
  [ ! -e "$target/$file" ] || fail "$file is still there after the uninstall"
done
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there after the uninstall"
listed && fail "the Add/Remove Programs entry is still there after the uninstall"
echo "PASS"
