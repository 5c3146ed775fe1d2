#!/usr/bin/env bash
# Draws the program's icons (the gear diagram: a large gray circle with a pie
# sector, two small circles at its upper left and lower right, tooth counts in
# framed boxes) and writes win/icons/tandrel.ico (9 images) and small.ico (2),
# and the web page's web/icons/icon-192.png and icon-512.png.
set -euo pipefail
cd "$(dirname "$0")/.."
out=win/icons
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One drawing on a 256-pixel canvas, scaled down for the smaller sizes; on a
# canvas SCALE times as large for sizes above 256 (the same drawing, scaled by
# its affine transform, strokes and text too).
draw() { # size file [scale]
  local s=$1 f=$2 k=${3:-1}
  local a="affine $k,0,0,$k,0,0"
  convert -size $((256 * k))x$((256 * k)) xc:none -stroke black -strokewidth 6 -fill gray60 \
    -draw "$a circle 140,140 140,40" \
    -draw "$a path 'M 140,140 L 225,100 A 90,90 0 1,0 110,225 Z'" \
    -draw "$a circle 62,62 62,10" \
    -draw "$a circle 205,210 205,160" \
    -stroke black -strokewidth 4 -fill white \
    -draw "$a rectangle 36,44 90,82" -draw "$a rectangle 176,192 232,230" \
    -stroke none -fill black -font DejaVu-Sans-Bold -pointsize 30 \
    -draw "$a text 42,75 '20'" -draw "$a text 182,222 '36'" \
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

# The web page's icons, for the home screen and the browser's tab; no time
# stamps, so that the same drawing gives the same files.
mkdir -p web/icons
for s in 192 512; do
  draw "$s" "$tmp/w$s.png" 2
  convert "$tmp/w$s.png" -define png:exclude-chunks=date,time "PNG32:web/icons/icon-$s.png"
done
identify web/icons/icon-*.png
