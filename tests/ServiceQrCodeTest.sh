#!/usr/bin/env bash
# The customer-service picture inside Zentarium.exe scans back to the configured service address.
# Usage: ServiceQrCodeTest.sh ZENTARIUM_EXE SERVICE_URL
set -euo pipefail
exe=$1
url=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

wrestool --extract --raw --type=+PNG --name=129 --output="$work/code.jpg" "$exe"
if [ ! -s "$work/code.jpg" ]; then
    echo "FAIL: $exe has no resource PNG 129"
    exit 1
fi
# zbarimg complains on stderr about a missing D-Bus; only its answer matters.
if ! decoded=$(zbarimg --quiet --raw -Sdisable -Sqrcode.enable "$work/code.jpg" 2>/dev/null); then
    echo "FAIL: no QR code found in resource PNG 129"
    exit 1
fi
if [ "$decoded" != "$url" ]; then
    echo "FAIL: the code scans as '$decoded', not '$url'"
    exit 1
fi
echo "PASS: the code scans as $url"
