#!/usr/bin/env bash
# check_circles.sh on small trees of its own: a circle through three modules is
# found and printed, whichever file holds the include; without it the tree passes.
set -uo pipefail
check=$(dirname "${BASH_SOURCE[0]}")/check_circles.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/calc" "$tree/view"
printf '#include "b.h"\n' > "$tree/calc/a.cpp"
printf '#pragma once\n' > "$tree/calc/a.h"
printf '#pragma once\n#include "c.h"\n' > "$tree/calc/b.h"
printf '#pragma once\n' > "$tree/view/c.h"
printf '#include "c.h"\n#include "a.h"\n' > "$tree/view/c.cpp"

if out=$(bash "$check" "$tree"); then
  echo "a circle passed: $out"
  exit 1
fi
# The circle's line, beginning at any of its modules.
line=$(grep -- ' -> ' <<< "$out")
[[ "calc/a -> calc/b -> view/c -> calc/a -> calc/b -> view/c" == *"$line"* && ${#line} -gt 30 ]] ||
  { echo "not named: $out"; exit 1; }

printf '#include "c.h"\n' > "$tree/view/c.cpp"
bash "$check" "$tree" || { echo "a tree without a circle failed"; exit 1; }
