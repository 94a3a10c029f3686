#!/usr/bin/env bash
# Builds one benchmark and runs it under Wine in a prefix of its own (made on first use, about a
# minute), so it never shares a wineserver with a CTest run. Prints the benchmark's figures.
#   tools/benchmark.sh scan|net|render|layout|text|repaint|skin|drain [arguments for the benchmark]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

case ${1:-} in
scan) target=ScanBenchmark ;;
net) target=BodyDecoderBenchmark ;;
render) target=RenderBenchmark ;;
layout) target=LayoutBenchmark ;;
text) target=TextBenchmark ;;
repaint) target=RepaintBenchmark ;;
skin) target=SkinBuildBenchmark ;;
drain) target=ResultDrainBenchmark ;;
*)
    echo "usage: $0 scan|net|render|layout|text|repaint|skin|drain [arguments]" >&2
    exit 2
    ;;
esac
shift

cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target "$target"
state=$top/build/mingw-x64/benchmark-wine
harness=$top/tools/wine-harness.sh
"$harness" start "$state" >/dev/null
trap '"$harness" stop "$state" >/dev/null' EXIT
"$harness" run "$state" zh_CN.UTF-8 "$top/build/mingw-x64/bin/$target.exe" "$@"
