#!/usr/bin/env bash
# Fails when a file crosses the layers: outside win/, tests/window/ and
# tests/e2e/ nothing includes <windows.h> (or another Win32 header) or a
# header of win/; the core (calc/, stock/, view/) and its JSON door (door/)
# open no file, so that they build for the web too: none of them includes
# <filesystem> or <fstream>; and the portable folders include only downward:
# calc <- stock, calc <- view, calc <- files, the core <- door, all of them
# <- cli, and the core and the door <- wasm.
#
#   check_layers.sh SOURCE_ROOT
set -uo pipefail
cd "$1"

# The folders a portable folder may include from, itself included.
declare -A sees=(
  [calc]="calc"
  [stock]="calc stock"
  [view]="calc view"
  [files]="calc files"
  [door]="calc stock view door"
  [cli]="calc stock view files door cli"
  [wasm]="calc stock view door wasm"
)
win32_headers='windows|commctrl|winuser|wingdi|winbase|windef|shellapi'

# The folder that holds a project header, by its name.
declare -A home=()
for folder in calc stock view files door cli win; do
  for header in "$folder"/*.h; do
    [ -e "$header" ] && home[$(basename "$header")]=$folder
  done
done

status=0
while IFS= read -r file; do
  top=${file%%/*}
  [ "$top" = win ] && continue
  case "$file" in tests/window/* | tests/e2e/*) continue ;; esac
  while IFS= read -r line; do
    if [[ $line =~ \#include\ *\<($win32_headers)\.h\> ]]; then
      echo "$file: $line: a Win32 header outside win/"
      status=1
    elif [[ $line =~ \#include\ *\<(filesystem|fstream)\> && $top =~ ^(calc|stock|view|door)$ ]]; then
      echo "$file: $line: files are the front ends' business, not the core's"
      status=1
    elif [[ $line =~ \#include\ *\"([^\"]+)\" ]]; then
      name=$(basename "${BASH_REMATCH[1]}")
      folder=${home[$name]:-}
      if [ "$folder" = win ] || [[ ${BASH_REMATCH[1]} == */win/* || ${BASH_REMATCH[1]} == win/* ]]; then
        echo "$file: $line: a win/ header outside win/"
        status=1
      elif [ -n "$folder" ] && [ -n "${sees[$top]:-}" ] && [[ " ${sees[$top]} " != *" $folder "* ]]; then
        echo "$file: $line: $top/ may not include from $folder/"
        status=1
      fi
    fi
  done < <(grep -h '^ *# *include' "$file")
done < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
exit $status
