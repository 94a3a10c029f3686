#!/usr/bin/env bash
# Builds one benchmark and runs it under Wine in a prefix of its own (made on first use, about a
# minute), so it never shares a wineserver with a CTest run. Prints the benchmark's figures.
#   tools/benchmark.sh scan|net|render|layout|text|repaint|skin|drain|details|junkscan|startup|windows|idle|repair [arguments]
# junkscan makes a tree of 1000 folders of 1000 files once (build/mingw-x64/junk-tree, sparse files)
# and walks 10k, 100k and 1M of them (arguments: other sizes, multiples of 1000,
# and --profile to time the list and the entry apart).
# startup runs Zentarium.exe against the local vendor server on its compiled-in address, once
# answering, once refusing connections and once accepting them without ever answering.
# idle answers the main window's start-up calls from a local vendor server on a free port.
# repair serves the demo catalogue on the compiled-in address and times its whole repair with the
# signature checks and without them, in turns (argument: rounds, default 5); run it under
# flock /tmp/zentarium-port8080.lock, as everything else that binds that port.
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
details) target=DetailsBenchmark ;;
junkscan) target=JunkScanBenchmark ;;
startup) target=StartupBenchmark ;;
windows) target=WindowsBenchmark ;;
idle) target=IdleBenchmark ;;
repair) target=RepairBenchmark ;;
*)
    echo "usage: $0 scan|net|render|layout|text|repaint|skin|drain|details|junkscan|startup|windows|idle|repair [arguments]" >&2
    exit 2
    ;;
esac
shift

cmake --preset mingw-x64 >/dev/null
extra_targets=()
[ "$target" != RepairBenchmark ] || extra_targets=(RepairBenchmarkUnchecked)
cmake --build --preset mingw-x64 --target "$target" "${extra_targets[@]}"
build=$top/build/mingw-x64
state=$build/benchmark-wine
harness=$top/tools/wine-harness.sh
# The demo packages are signed under the test root that the build made beside the trees.
"$harness" start "$state" "$top/build/test-pki/root.der" >/dev/null
trap '"$harness" stop "$state" >/dev/null' EXIT
# Without a window manager Wine waits two seconds on each hide and destroy of a managed window.
for exe in "$target.exe" Zentarium.exe; do
    "$harness" run "$state" C.UTF-8 reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" \
        /v Managed /d N /f >/dev/null
done
write_catalogue() {
    cat >"$1/runtimelib.json" <<'JSON'
{"code":200,"data":{"runtimelib":[
 {"name":"Microsoft Visual C++ 2010 x64","type":1,"url":"{base}/packages/vcredist_2010_x64.7z"},
 {"name":"Microsoft Visual C++ 2015-2022 x64","type":7,"url":"{base}/packages/vc_redist.x64.exe"},
 {"name":"DirectX 9.0c","type":14,"url":"{base}/packages/dx9_dlls.7z"}]}}
JSON
}

if [ "$target" = IdleBenchmark ]; then
    # Free ports, never the compiled-in address: another run may be serving that one.
    server=$state/idle-vendor
    trap '"$top/tools/vendor-server-fixture.sh" stop "$server"; "$harness" stop "$state" >/dev/null' EXIT
    "$top/tools/vendor-server-fixture.sh" start "$server" >/dev/null
    write_catalogue "$server"
    "$harness" run "$state" zh_CN.UTF-8 "$build/bin/$target.exe" \
        --server "http://127.0.0.1:$(cut -d' ' -f1 "$server/ports")" "$@"
    echo "requests the vendor server received:"
    sed 's/^/  /' "$server/requests.log"
    exit
fi
if [ "$target" = JunkScanBenchmark ]; then
    tree=$build/junk-tree
    python3 - "$tree" <<'PY'
import os, sys
root, folders, per = sys.argv[1], 1000, 1000
for f in range(folders):
    folder = os.path.join(root, "folder%04d" % f)
    if os.path.isdir(folder) and len(os.listdir(folder)) == per:
        continue
    os.makedirs(folder, exist_ok=True)
    for i in range(per):
        with open(os.path.join(folder, "cache-%06d.tmp" % (f * per + i)), "wb") as out:
            out.truncate(4096 + (f * per + i) % 100000)
PY
    echo "load: $(uptime)"
    sizes=() flags=()
    for argument in "$@"; do
        case $argument in [0-9]*) sizes+=("$argument") ;; *) flags+=("$argument") ;; esac
    done
    [ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000 1000000)
    for files in "${sizes[@]}"; do
        "$harness" run "$state" zh_CN.UTF-8 "$build/bin/$target.exe" --tree "Z:${tree//\//\\}" --files "$files" \
            "${flags[@]}"
    done
    exit
fi
if [ "$target" = RepairBenchmark ]; then
    server=$state/vendor
    trap '"$top/tools/local-vendor-server.sh" stop "$server"; "$harness" stop "$state" >/dev/null' EXIT
    "$top/tools/local-vendor-server.sh" start "$server" "$build" \
        --catalogue "$build/demo/runtimelib.json" --packages "$build/demo/packages"
    results=$state/repair-times
    : >"$results"
    for round in $(seq 1 "${1:-5}"); do
        for exe in RepairBenchmark RepairBenchmarkUnchecked; do
            echo "$exe $("$harness" run "$state" zh_CN.UTF-8 "$build/bin/$exe.exe" | tail -n1)" | tee -a "$results"
        done
    done
    python3 - "$results" <<'PY'
import statistics, sys
runs = {}
for line in open(sys.argv[1]):
    exe, seconds, repaired, listed, checks = line.split()
    runs.setdefault(exe, []).append((float(seconds), int(repaired), int(listed), float(checks)))
checked, unchecked = runs["RepairBenchmark"], runs["RepairBenchmarkUnchecked"]
median = lambda rows: statistics.median(row[0] for row in rows)
print(f"whole repair of the demo catalogue, median of {len(checked)} runs each:")
print(f"  with the signature checks     {median(checked):7.3f} s  "
      f"(repaired {min(r[1] for r in checked)}-{max(r[1] for r in checked)} of {checked[0][2]})")
print(f"  without them                  {median(unchecked):7.3f} s  "
      f"(repaired {min(r[1] for r in unchecked)}-{max(r[1] for r in unchecked)} of {unchecked[0][2]})")
print(f"  difference                    {median(checked) - median(unchecked):+7.3f} s, "
      f"ratio {median(checked) / median(unchecked):.3f}")
checks = statistics.median(row[3] for row in checked)
print(f"  the checks alone (every file the repair checks, checked again): {checks * 1000:.1f} ms "
      f"({100 * checks / median(checked):.1f} % of the repair with them)")
PY
    exit
fi
if [ "$target" != StartupBenchmark ]; then
    "$harness" run "$state" zh_CN.UTF-8 "$build/bin/$target.exe" "$@"
    exit
fi

server=$state/vendor
trap '"$top/tools/local-vendor-server.sh" stop "$server"; "$harness" stop "$state" >/dev/null' EXIT
mkdir -p "$server"
write_catalogue "$server"
for mode in up refusing silent; do
    case $mode in
    up) "$top/tools/local-vendor-server.sh" start "$server" "$build" --catalogue "$server/runtimelib.json" ;;
    refusing) "$top/tools/local-vendor-server.sh" stop "$server" ;;
    silent) "$top/tools/local-vendor-server.sh" start "$server" "$build" --silent ;;
    esac
    "$harness" run "$state" zh_CN.UTF-8 "$build/bin/$target.exe" "$mode" "$@" || true
    "$top/tools/local-vendor-server.sh" stop "$server"
done
