#!/usr/bin/env bash
# Sets up the machine, builds the x64 exe and the demo catalogue of real packages, starts the
# local vendor server on the address compiled into the exe and runs the tool under Wine in the
# build tree's prefix. On the user's X display the user clicks through it. Without a display it
# runs on a private Xvfb display, saves a screenshot of the home page, closes the tool with a
# click on its own close button and exits 0. The server and Wine end with the tool.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

./tools/setup.sh
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target Zentarium demo_packages

build=$top/build/mingw-x64
state=$build/run
harness=$top/tools/wine-harness.sh
server=$state/vendor
exe=$build/bin/Zentarium.exe
app_key='HKCU\Software\Wine\AppDefaults\Zentarium.exe\X11 Driver'

if [ -n "${DISPLAY:-}" ]; then
    export ZENTARIUM_DISPLAY=$DISPLAY
fi
# The demo packages are signed under the test root that the build made beside the trees.
"$harness" start "$state" "$top/build/test-pki/root.der"
trap '"$top/tools/local-vendor-server.sh" stop "$server"; "$harness" stop "$state"' EXIT
"$top/tools/local-vendor-server.sh" start "$server" "$build" \
    --catalogue "$build/demo/runtimelib.json" --packages "$build/demo/packages"
echo "run: vendor server $(head -n1 "$server/server.out") with the demo catalogue"

if [ -n "${DISPLAY:-}" ]; then
    # The user's window manager handles the window.
    "$harness" run "$state" C.UTF-8 reg delete "$app_key" /v Managed /f >/dev/null 2>&1 || true
    "$harness" run "$state" zh_CN.UTF-8 "$exe"
    exit
fi

# Xvfb has no window manager, for which Wine would wait two seconds on each hide and destroy.
"$harness" run "$state" C.UTF-8 reg add "$app_key" /v Managed /d N /f >/dev/null
"$harness" run "$state" zh_CN.UTF-8 "$exe" &
app=$!
export DISPLAY=$(cat "$state/display")

# Client points of the skin's 1100x824 main window: the start button 104 and the close button 101.
start_x=551 start_y=706
close_x=1059 close_y=36
give_up=$((SECONDS + ${ZENTARIUM_RUN_TIMEOUT:-120}))

window=
until [ -n "$window" ]; do
    window=$(xdotool search --onlyvisible --class 'zentarium\.exe' 2>/dev/null | head -n1 || true)
    if [ $SECONDS -ge $give_up ] || ! kill -0 $app 2>/dev/null; then
        echo "run: the tool's window did not show" >&2
        exit 1
    fi
    sleep 0.5
done
eval "$(xdotool getwindowgeometry --shell "$window")"
until import -window root -crop "1x1+$((X + start_x))+$((Y + start_y))" -depth 8 txt:- 2>/dev/null |
        grep -qi '#0D3AFF'; do
    if [ $SECONDS -ge $give_up ]; then
        echo "run: the home page was not painted" >&2
        exit 1
    fi
    sleep 0.5
done
import -window root "$state/screenshot.png"
echo "run: screenshot of the home page in $state/screenshot.png"

xdotool mousemove --window "$window" $close_x $close_y click 1
while kill -0 $app 2>/dev/null; do
    if [ $SECONDS -ge $give_up ]; then
        echo "run: the tool did not end after its close button was clicked" >&2
        exit 1
    fi
    sleep 0.5
done
wait $app
echo "run: the tool ended with exit code 0"
