#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine: a silent install into a
# folder of the test's own, the files and the Start-menu shortcut there, the
# version in Add/Remove Programs, the installed program started bare showing
# the default gear set, a lathe file opened as a double click opens it, then a
# silent uninstall that takes the files and the file type away again.
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
# The program keeps its recent lathes here; a bare start must find none.
forget_lathes() { wine reg delete 'HKCU\Software\Tandrel' /f </dev/null >/dev/null 2>&1; }
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  rm -rf "$folder"
  forget_lathes
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
version=$(basename "$setup" | sed -E 's/^Tandrel-([0-9.]+)-win64-setup\.exe$/\1/')
wine reg query "$uninstall_key" /v DisplayVersion </dev/null 2>/dev/null | tr -d '\r' | grep -q "REG_SZ *$version\$" ||
  fail "Add/Remove Programs does not show the version $version"
strings "$shortcut" | grep -qiF "$(windows_path "$target")\\tandrel.exe" || fail "the shortcut does not start the installed tandrel.exe"
classes='HKLM\Software\Classes'
registered() { wine reg query "$classes\.tandrel" /ve </dev/null 2>/dev/null | grep -q Tandrel.Lathe; }
registered || fail ".tandrel is not registered"
wine reg query "$classes\Tandrel.Lathe\shell\open\command" /ve </dev/null 2>/dev/null | tr -d '\r' |
  grep -qF 'tandrel.exe" "%1"' || fail "lathe files do not open in tandrel.exe"
forget_lathes

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

echo "a lathe file opened as Explorer opens it (its registered command) shows its lathe"
cp "$(dirname "${BASH_SOURCE[0]}")/../../docs/lathes/mini.tandrel" "$folder/mini lathe.tandrel"
wine start /unix "$folder/mini lathe.tandrel" </dev/null >"$folder/start.log" 2>&1
for _ in $(seq 300); do
  got=$(wine "$probe_exe" caption checked 4024 checked 4025 </dev/null 2>/dev/null | tr -d '\r')
  [ "$got" = $'Tandrel - Mini lathe, 16 TPI\n1\n0' ] && break
  sleep 0.1
done
[ "$got" = $'Tandrel - Mini lathe, 16 TPI\n1\n0' ] ||
  fail "the double-clicked lathe shows '${got//$'\n'/|}'; start said: $(tr '\n' ' ' <"$folder/start.log")"
wine "$probe_exe" close </dev/null >/dev/null 2>&1
for _ in $(seq 100); do wine "$probe_exe" window </dev/null >/dev/null 2>&1 || break; sleep 0.1; done
forget_lathes

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
registered && fail ".tandrel is still registered after the uninstall"
echo "PASS"
