#!/usr/bin/env bash
# Runs one fuzz harness for a while:
#   scripts/fuzz.sh NAME SECONDS [libFuzzer options]
# NAME is a harness of tests/fuzz (number_text, paste_rules, gear_set,
# gear_list, lathe_file, gear_search, every_train, thread, designation, cli_args, banjo). It starts from the committed seeds in tests/fuzz/corpus/NAME
# and keeps the inputs it finds in build/fuzz/tests/fuzz/corpus/NAME for the
# next run. An input that breaks a property is saved as
# build/fuzz/tests/fuzz/NAME-crash-...: fix the fault, then add that input to
# tests/fuzz/corpus/NAME.
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
seconds=$2
shift 2
scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target "fuzz_$name"
out=build/fuzz/tests/fuzz
mkdir -p "$out/corpus/$name"
exec "$out/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$name-" "$@" \
  "$out/corpus/$name" "tests/fuzz/corpus/$name"
