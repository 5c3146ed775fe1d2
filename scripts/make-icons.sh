#!/usr/bin/env bash
# Draws the program's icons (the gear diagram: a large gray circle with a pie
# sector, two small circles at its upper left and lower right, tooth counts in
# framed boxes) and writes win/icons/tandrel.ico (9 images) and small.ico (2).
set -euo pipefail
cd "$(dirname "$0")/.."
out=win/icons
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One drawing on a 256-pixel canvas, scaled down for the smaller sizes.
draw() { # size file
  local s=$1 f=$2
  convert -size 256x256 xc:none -stroke black -strokewidth 6 -fill gray60 \
    -draw "circle 140,140 140,40" \
    -draw "path 'M 140,140 L 225,100 A 90,90 0 1,0 110,225 Z'" \
    -draw "circle 62,62 62,10" \
    -draw "circle 205,210 205,160" \
    -stroke black -strokewidth 4 -fill white \
    -draw "rectangle 36,44 90,82" -draw "rectangle 176,192 232,230" \
    -stroke none -fill black -font DejaVu-Sans-Bold -pointsize 30 \
    -draw "text 42,75 '20'" -draw "text 182,222 '36'" \
    -resize "${s}x${s}" "PNG32:$f"
}

for s in 16 32 48 256; do draw "$s" "$tmp/g$s.png"; done

# Palette images are stored as 4 and 8 bits per pixel by the ICO writer; the
# 256-pixel image is a PNG, kept RGBA even where the drawing is all gray.
for s in 16 32; do
  convert "$tmp/g$s.png" -background "#d4d0c8" -alpha remove -colors 16 -type Palette "BMP3:$tmp/p16_$s.bmp"
done
for s in 16 32 48; do
  convert "$tmp/g$s.png" -background "#d4d0c8" -alpha remove -colors 256 -type Palette "BMP3:$tmp/p256_$s.bmp"
done

convert "$tmp/p16_16.bmp" "$tmp/p16_32.bmp" "$tmp/p256_16.bmp" "$tmp/p256_32.bmp" "$tmp/p256_48.bmp" \
  "$tmp/g16.png" "$tmp/g32.png" "$tmp/g48.png" "$tmp/g256.png" -define png:format=png32 "$out/tandrel.ico"
convert "$tmp/p16_32.bmp" "$tmp/p256_32.bmp" "$out/small.ico"
identify "$out/tandrel.ico" "$out/small.ico"
