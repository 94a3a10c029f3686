#!/usr/bin/env bash
# Runs one fuzz target for longer: tools/fuzz.sh TARGET SECONDS (TARGET as in tests/fuzz/, for
# example NumberText). One process, at low priority; the inputs that add coverage are merged into
# tests/fuzz/corpus/TARGET, a finding is kept in build/fuzz/findings/TARGET and makes it exit 1.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
if [ $# -ne 2 ]; then
    echo "usage: tools/fuzz.sh TARGET SECONDS" >&2
    exit 2
fi
target=$1 seconds=$2
corpus=tests/fuzz/corpus/$target
regressions=tests/fuzz/regressions/$target
[ -d "$corpus" ] || { echo "fuzz.sh: no corpus folder $corpus" >&2; exit 2; }

[ -f build/fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${target}Fuzz"
exe=build/fuzz/bin/${target}Fuzz
findings=build/fuzz/findings/$target
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$findings"
seeds=("$corpus")
[ -d "$regressions" ] && seeds+=("$regressions")
export UBSAN_OPTIONS=print_stacktrace=1
status=0
# New inputs land in the scratch folder; a fresh merge of the corpus and them keeps the fewest
# inputs that reach the same edges (hit counts aside), so the stored corpus stays small.
mkdir "$scratch/new" "$scratch/merged"
nice -n 10 "$exe" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$scratch/new" "${seeds[@]}" || status=$?
if nice -n 10 "$exe" -merge=1 -use_counters=0 "$scratch/merged" "$corpus" "$scratch/new" >/dev/null 2>&1 &&
   [ -n "$(ls -A "$scratch/merged")" ]; then
    rm -f "$corpus"/*
    cp "$scratch/merged"/* "$corpus"/
fi
exit $status
