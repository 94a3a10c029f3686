#!/usr/bin/env bash
# Sets up the machine, builds the x64 exe and runs it under Wine in the build tree's prefix.
# Without an X display it runs on a private Xvfb display and saves a screenshot of it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

./tools/setup.sh
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target Zentarium

state=$top/build/mingw-x64/run
harness=$top/tools/wine-harness.sh
if [ -n "${DISPLAY:-}" ]; then
    export ZENTARIUM_DISPLAY=$DISPLAY
fi
"$harness" start "$state"
trap '"$harness" stop "$state"' EXIT
if [ -n "${DISPLAY:-}" ]; then
    "$harness" run "$state" zh_CN.UTF-8 "$top/build/mingw-x64/bin/Zentarium.exe"
else
    "$harness" run "$state" zh_CN.UTF-8 "$top/build/mingw-x64/bin/Zentarium.exe" &
    app=$!
    sleep "${ZENTARIUM_SCREENSHOT_DELAY:-8}"
    DISPLAY=$(cat "$state/display") import -window root "$state/screenshot.png"
    echo "run: the tool is running on Xvfb display $(cat "$state/display");" \
         "screenshot in $state/screenshot.png; Ctrl-C ends it"
    wait $app
fi
