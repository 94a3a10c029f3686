#!/usr/bin/env bash
# Sets up the machine, builds both Windows targets and runs every test under Wine.
# Extra arguments go to ctest (for example -L unit).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

./tools/setup.sh
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64
# The x86 build must compile and link; its tests cannot run on this machine (no 32-bit Wine).
cmake --preset mingw-x86 >/dev/null
cmake --build --preset mingw-x86
ctest --preset mingw-x64 "$@"
