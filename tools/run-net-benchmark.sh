#!/usr/bin/env bash
# Builds the body-decoding benchmark and runs it under Wine in a prefix of its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target BodyDecoderBenchmark
state=$top/build/mingw-x64/benchmark
harness=$top/tools/wine-harness.sh
"$harness" start "$state" >/dev/null
trap '"$harness" stop "$state"' EXIT
"$harness" run "$state" zh_CN.UTF-8 "$top/build/mingw-x64/bin/BodyDecoderBenchmark.exe"
