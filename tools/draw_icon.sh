#!/usr/bin/env bash
# Draws the program icon (resources/Zentarium.ico) with ImageMagick. The result is committed,
# so a build does not need ImageMagick; run this again only to change the picture.
set -euo pipefail
out=${1:-$(cd "$(dirname "$0")/.." && pwd)/resources/Zentarium.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 256x256 xc:none \
    \( -size 256x256 gradient:'#1196FF-#0D3AFF' \) \
    \( -size 256x256 xc:none -fill white -draw "roundrectangle 8,8 247,247 48,48" \) \
    -delete 0 -compose DstIn -composite "$work/base.png"
convert "$work/base.png" \
    -fill none -stroke white -strokewidth 18 -draw "arc 70,60 186,176 200,520" \
    -fill white -stroke none -draw "roundrectangle 116,150 140,214 8,8" \
    -draw "circle 128,118 128,100" "$work/logo.png"
convert "$work/logo.png" -depth 8 -define icon:auto-resize=256,48,32,16 "$out"
echo "wrote $out"
