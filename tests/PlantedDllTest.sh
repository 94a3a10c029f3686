#!/usr/bin/env bash
# A DLL of each delay-loaded name, planted beside Zentarium.exe in the user's Downloads folder,
# is never loaded: the tool starts and paints its home page and no planted DLL leaves its marker.
# The control program, which imports msimg32 at load time, does load the planted one.
# Wine prefers its own DLLs unless told otherwise, unlike Windows: the overrides say "native
# first" for every name.
#   PlantedDllTest.sh <harness> <state dir> <Zentarium.exe> <planted dll> <control exe> <arch> <dll names...>
set -euo pipefail
harness=$1 state=$2 exe=$3 planted=$4 control=$5 arch=$6
shift 6
names=("$@")

downloads=$state/prefix/drive_c/users/$(id -un)/Downloads/zentarium-planting-$arch
rm -rf "$downloads"
mkdir -p "$downloads"
cp "$exe" "$downloads/Zentarium.exe"
cp "$control" "$downloads/PlainImport.exe"
for name in "${names[@]}"; do
    cp "$planted" "$downloads/$name.dll"
done
ZENTARIUM_DLL_OVERRIDES="$(IFS=,; echo "${names[*]}")=n,b"
export ZENTARIUM_DLL_OVERRIDES
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

"$harness" run "$state" C.UTF-8 "$downloads/PlainImport.exe" || fail "the control program did not run"
# The marker is named as the importer spelt the DLL ("MSIMG32.dll").
loaded() {
    [ -n "$(find "$downloads" -maxdepth 1 -iname "$1.dll.loaded")" ]
}
loaded msimg32 || fail "the control program did not load the planted msimg32.dll"
rm -f "$downloads"/*.loaded

"$harness" run "$state" zh_CN.UTF-8 "$downloads/Zentarium.exe" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
export DISPLAY=$(cat "$state/display")
# The start button 104 of the 1100x824 main window, in its client coordinates, and its colour.
start_x=551 start_y=706
give_up=$((SECONDS + 120))
painted=
while [ -z "$painted" ] && [ $SECONDS -lt $give_up ] && kill -0 $app 2>/dev/null; do
    window=$(xdotool search --onlyvisible --class 'zentarium\.exe' 2>/dev/null | head -n1 || true)
    if [ -n "$window" ]; then
        eval "$(xdotool getwindowgeometry --shell "$window")"
        import -window root -crop "1x1+$((X + start_x))+$((Y + start_y))" -depth 8 txt:- 2>/dev/null |
            grep -qi '#0D3AFF' && painted=1
    fi
    [ -n "$painted" ] || sleep 0.5
done
[ -n "$painted" ] || fail "the tool did not paint its home page from the Downloads folder"
kill $app 2>/dev/null || true
wait $app 2>/dev/null || true
for name in "${names[@]}"; do
    ! loaded "$name" || fail "the tool loaded the planted $name.dll"
done
[ $status -ne 0 ] || echo "PASS: the planted DLLs (${names[*]}) stayed unloaded; the control loaded its msimg32.dll"
rm -rf "$downloads"
exit $status
