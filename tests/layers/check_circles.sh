#!/usr/bin/env bash
# Fails when modules depend on each other in a circle, and prints each circle.
# A module is a header with its source file (calc/thread.h and calc/thread.cpp);
# it depends on another when one of its files includes that one's header.
# tsort finds the circles: it names the modules of each loop it has to break.
#
#   check_circles.sh SOURCE_ROOT
set -uo pipefail
cd "$1"
folders=(calc stock view files door cli win wasm)

# The module that holds a project header, by its name.
declare -A home=()
for folder in "${folders[@]}"; do
  for header in "$folder"/*.h; do
    [ -e "$header" ] && home[$(basename "$header")]=${header%.h}
  done
done

edges() {
  while IFS= read -r file; do
    module=${file%.*}
    while IFS= read -r line; do
      if [[ $line =~ \#\ *include\ *\"([^\"]+)\" ]]; then
        included=${home[$(basename "${BASH_REMATCH[1]}")]:-}
        [ -n "$included" ] && [ "$included" != "$module" ] && echo "$module $included"
      fi
    done < <(grep -h '^ *# *include' "$file")
  done < <(git ls-files "${folders[@]/%//*.cpp}" "${folders[@]/%//*.h}" 2>/dev/null ||
    find "${folders[@]}" -name '*.cpp' -o -name '*.h' 2>/dev/null)
}

circles=0
circle=()
report() {
  if [ ${#circle[@]} -gt 0 ]; then
    circles=$((circles + 1))
    printf '%s -> ' "${circle[@]}"
    echo "${circle[0]}"
  fi
  circle=()
}
while IFS= read -r line; do
  case "$line" in
    *"input contains a loop:") report ;;
    "tsort: "*) circle+=("${line#tsort: }") ;;
  esac
done < <(edges | tsort 2>&1 >/dev/null)
report
echo "$circles circle(s) among the modules of ${folders[*]}"
[ "$circles" -eq 0 ]
