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
# New inputs land in the scratch folder; the merge keeps only those that add coverage.
nice -n 10 "$exe" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$scratch" "${seeds[@]}" || status=$?
nice -n 10 "$exe" -merge=1 "$corpus" "$scratch" >/dev/null 2>&1
exit $status
