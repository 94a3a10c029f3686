#!/usr/bin/env bash
# Sets up the machine, builds both Windows targets and the native fuzz targets, and runs every
# test (under Wine, the fuzz corpus replays natively).
# Extra arguments go to ctest (for example -L unit).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

./tools/setup.sh
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64
cmake --preset mingw-x86 >/dev/null
cmake --build --preset mingw-x86
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# The x64 tree's CTest runs the x86 tree's tests too (labels x64 and x86), in one WOW64 prefix; a
# tree that did not register them would otherwise drop half the suite without a word.
if ! ctest --preset mingw-x64 -N -L x86 | grep -qE '^Total Tests: [1-9]'; then
    echo "test.sh: the x86 tests are not registered with the x64 tree's CTest" >&2
    exit 1
fi
if ! ctest --preset mingw-x64 -N -L fuzz | grep -qE '^Total Tests: [1-9]'; then
    echo "test.sh: the fuzz replays are not registered with the x64 tree's CTest" >&2
    exit 1
fi
ctest --preset mingw-x64 "$@"
