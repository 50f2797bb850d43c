#!/usr/bin/env bash
# Draws the six button images (8-bit RGBA PNGs, not interlaced) at eight times
# their size and scales them down. Run again after changing a picture.
set -euo pipefail
cd "$(dirname "$0")"
draw() {  # name size drawing...
  local name=$1 size=$2
  shift 2
  local big=$((size * 8))
  convert -size ${big}x${big} xc:none "$@" -filter Lanczos -resize ${size}x${size} \
    -define png:color-type=6 -define png:bit-depth=8 -interlace none -strip "PNG32:$name.png"
}
disc='circle 64,64 64,6'
draw add 16 -fill '#2e9e3e' -stroke '#1d6b28' -strokewidth 6 -draw "$disc" \
  -stroke none -fill white -draw 'rectangle 56,28 72,100' -draw 'rectangle 28,56 100,72'
draw remove 16 -fill '#d23a2f' -stroke '#8e231b' -strokewidth 6 -draw "$disc" \
  -stroke none -fill white -draw 'rectangle 28,56 100,72'
arrow='polygon 64,6 122,64 86,64 86,122 42,122 42,64 6,64'
draw move_up 16 -fill '#2e9e3e' -stroke '#1d6b28' -strokewidth 6 -draw "$arrow"
draw move_down 16 -fill '#2e9e3e' -stroke '#1d6b28' -strokewidth 6 -draw "$arrow" -flip
draw open_ini 16 -stroke '#1f4e99' -strokewidth 6 -fill '#5b9bf0' \
  -draw 'polygon 64,34 14,18 14,104 64,120' -draw 'polygon 64,34 114,18 114,104 64,120' \
  -stroke white -strokewidth 5 -draw 'line 26,44 54,52' -draw 'line 26,64 54,72' \
  -draw 'line 102,44 74,52' -draw 'line 102,64 74,72'
draw donate 31 -stroke '#2b3a55' -strokewidth 8 -fill '#3f72c9' \
  -draw 'translate 124,124 rotate -18 roundrectangle -104,-66 104,66 16,16' \
  -stroke none -fill '#1c2b45' -draw 'translate 124,124 rotate -18 rectangle -100,-40 100,-16' \
  -fill '#f0c24a' -draw 'translate 124,124 rotate -18 roundrectangle -78,4 -38,34 6,6' \
  -fill '#dfe8f7' -draw 'translate 124,124 rotate -18 rectangle 6,28 76,38'
