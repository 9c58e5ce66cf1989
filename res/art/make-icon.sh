#!/bin/bash
# Makes res/Quorvane.ico: the round red-cross button at 16, 32 and 48 px, each
# in 4-, 8- and 32-bit colour, drawn by icon-draw.py.
#
# Usage: res/art/make-icon.sh        (from anywhere; writes res/Quorvane.ico)
set -euo pipefail

art=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$art/../Quorvane.ico
python=/usr/bin/python3   # the interpreter that has Pillow

for tool in "$python" convert icotool; do
    command -v "$tool" >/dev/null || { echo "make-icon.sh: $tool not found" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$python" "$art/icon-draw.py" "$work"

args=()
for size in 16 32 48; do
    src=$work/icon-$size.png
    # Palette icons carry a 1-bit mask, so alpha is cut at half before
    # reducing colours. icotool only writes a 4- or 8-bit entry if the PNG
    # already fits: 15 colours + transparent for 4 bpp, 255 + 1 for 8 bpp.
    # No dithering: at these sizes it shows as noise on the flat button face.
    convert "$src" -channel A -threshold 50% +channel +dither -colors 15 PNG8:"$work/$size-4.png"
    convert "$src" -channel A -threshold 50% +channel +dither -colors 255 PNG8:"$work/$size-8.png"
    args+=(-b 4 "$work/$size-4.png" -b 8 "$work/$size-8.png" -b 32 "$src")
done

icotool -c -o "$work/Quorvane.ico" "${args[@]}"

# Refuse to hand back an icon that lost an image to a colour-count mismatch.
listing=$(icotool -l "$work/Quorvane.ico")
expected=""
for size in 16 32 48; do
    for depth in 4 8 32; do
        expected+="--width=$size --height=$size --bit-depth=$depth"$'\n'
    done
done
actual=$(sed -n 's/.*\(--width=[0-9]* --height=[0-9]* --bit-depth=[0-9]*\).*/\1/p' <<<"$listing" | sort)
if [ "$actual" != "$(printf '%s' "$expected" | sort)" ]; then
    echo "make-icon.sh: unexpected icon contents:" >&2
    echo "$listing" >&2
    exit 1
fi

mv "$work/Quorvane.ico" "$out"
echo "$listing"
