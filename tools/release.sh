#!/usr/bin/env bash
# Builds the release exes for x64 and x86 (optimised for size, stripped, static, version 1.0.0.2) with the
# vendor's addresses compiled in, checks each as Windows would load it, and writes them with
# SHA256SUMS and a portable zip into the output folder (default: dist/).
# Only packages signed by one of the trusted signers (common names of their code-signing
# certificates, a semicolon list; default "Microsoft Corporation") are run or copied by the repair.
#   tools/release.sh --server-base http://host[:port] --channel NAME --service-url URL
#                    [--trusted-signers "NAME;NAME"] [--out DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

usage() {
    echo "usage: $0 --server-base http://host[:port] --channel NAME --service-url URL" \
         "[--trusted-signers \"NAME;NAME\"] [--out DIR]" >&2
    exit 2
}

base= channel= service= out=$top/dist signers="Microsoft Corporation"
while [ $# -gt 0 ]; do
    case $1 in
    --server-base) base=${2:-} ;;
    --channel) channel=${2:-} ;;
    --service-url) service=${2:-} ;;
    --trusted-signers) signers=${2:-} ;;
    --out) out=${2:-} ;;
    *) usage ;;
    esac
    shift 2 || usage
done
[ -n "$base" ] && [ -n "$channel" ] && [ -n "$service" ] && [ -n "$signers" ] && [ -n "$out" ] || usage

./tools/setup.sh
version=$(sed -n 's/^project(Zentarium VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package=Zentarium-$version
stage=$out/$package
rm -rf "$stage" "$out/$package.zip"
mkdir -p "$stage"

# Size, not speed, is what a downloaded tool is judged by: -Os, and every function and datum the
# exe never reaches left out (the x86 exe was 2.69 MB with -O3 and all of it kept).
unused_code="-ffunction-sections -fdata-sections"

build() {  # <arch> <machine for the check> <MinGW triple>
    local tree=$top/build/release-$1
    rm -rf "$tree"  # a release is built from nothing, with nothing cached from an earlier one
    # The address settings are checked by CMake itself (net/CMakeLists.txt).
    cmake -S "$top" -B "$tree" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-$1.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_C_FLAGS="$unused_code" -DCMAKE_CXX_FLAGS="$unused_code" \
        -DCMAKE_EXE_LINKER_FLAGS_MINSIZEREL=-Wl,--gc-sections \
        -DZENTARIUM_BUILD_TESTS=OFF \
        -DZENTARIUM_SERVER_BASE="$base" -DZENTARIUM_CHANNEL="$channel" -DZENTARIUM_SERVICE_URL="$service" \
        -DZENTARIUM_TRUSTED_SIGNERS="$signers" \
        >/dev/null
    cmake --build "$tree" --target Zentarium
    mkdir -p "$stage/$1"
    "$3-strip" -o "$stage/$1/Zentarium.exe" "$tree/bin/Zentarium.exe"
    python3 "$top/tools/inspect_exe.py" "$stage/$1/Zentarium.exe" "$2"
}
build x64 x86-64 x86_64-w64-mingw32
build x86 i386 i686-w64-mingw32

(cd "$stage" && sha256sum x64/Zentarium.exe x86/Zentarium.exe >SHA256SUMS)
(cd "$out" && python3 -m zipfile -c "$package.zip" "$package/")
echo "release: $stage"
(cd "$stage" && stat -c '%n %s bytes' x64/Zentarium.exe x86/Zentarium.exe && cat SHA256SUMS)
echo "release: $out/$package.zip"
