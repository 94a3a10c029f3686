#!/usr/bin/env bash
# Saves a picture of each state of the tool into docs/pictures (or the folder given): the typical
# run of tests/e2e/user_run.py, clicked on a private Xvfb display against the local vendor server,
# with sample error events in place of Wine's empty event logs (ZentariumPictures.exe). The
# machine must be set up (tools/setup.sh).
#   tools/screenshots.sh [output folder]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
out=$(mkdir -p "${1:-docs/pictures}" && cd "${1:-docs/pictures}" && pwd)

cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 --target Zentarium user_run_inputs
python3 tests/e2e/user_run.py pictures --build "$top/build/mingw-x64" --out "$out"
