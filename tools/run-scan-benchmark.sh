#!/usr/bin/env bash
# Builds ScanBenchmark and runs it under Wine in a prefix of its own (made on first use), so it
# never shares a wineserver with a CTest run. Arguments go to the benchmark.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target ScanBenchmark
state=$top/build/mingw-x64/benchmark-wine
tools/wine-harness.sh start "$state"
trap 'tools/wine-harness.sh stop "$state"' EXIT
tools/wine-harness.sh run "$state" zh_CN.UTF-8 "$top/build/mingw-x64/bin/ScanBenchmark.exe" "$@"
