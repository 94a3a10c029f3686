#!/usr/bin/env bash
# Builds and runs the image-drawing benchmark under Wine in a prefix of its own (the first run
# makes it, about a minute), and prints its figures.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target RenderBenchmark
state=$top/build/mingw-x64/benchmark-wine
harness=$top/tools/wine-harness.sh
"$harness" start "$state" >/dev/null
trap '"$harness" stop "$state" >/dev/null' EXIT
"$harness" run "$state" zh_CN.UTF-8 "$top/build/mingw-x64/bin/RenderBenchmark.exe"
