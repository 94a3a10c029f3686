#!/usr/bin/env bash
# Renders the product's images from their SVG sources in resources/images/ into the PNGs beside
# them, and the program icon (resources/Zentarium.ico) from the logo. The results are committed,
# so a build needs none of these tools; run this again after changing a source.
# Needs librsvg2-bin, optipng, imagemagick and fonts-wqy-microhei (tools/setup.sh installs them).
set -euo pipefail
resources=$(cd "$(dirname "$0")/../resources" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Without the font, the renderer would silently fall back to another one.
for family in "WenQuanYi Micro Hei" "DejaVu Sans"; do
    if ! fc-list : family | grep -qF "$family"; then
        echo "render_images: font '$family' is not installed" >&2
        exit 1
    fi
done

for svg in "$resources"/images/*.svg; do
    png=${svg%.svg}.png
    rsvg-convert --format=png --output="$work/out.png" "$svg"
    optipng -quiet -o7 -strip all "$work/out.png"
    mv "$work/out.png" "$png"
    echo "$(identify -format '%wx%h' "$png") $(stat -c %s "$png") bytes  ${png#"$resources"/}"
done

for size in 256 48 32 16; do
    rsvg-convert --width=$size --height=$size --output="$work/icon$size.png" "$resources/images/logo.svg"
done
convert "$work"/icon256.png "$work"/icon48.png "$work"/icon32.png "$work"/icon16.png \
    "$resources/Zentarium.ico"
echo "$(stat -c %s "$resources/Zentarium.ico") bytes  Zentarium.ico"
