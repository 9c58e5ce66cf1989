#!/usr/bin/python3
"""Draws the Quorvane icon artwork: a red repair cross on a round, raised,
light-grey button. Writes icon-16.png, icon-32.png and icon-48.png (32-bit
RGBA) into the directory given; make-icon.sh turns them into Quorvane.ico.

Usage: /usr/bin/python3 icon-draw.py OUTPUT_DIR
"""

import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageOps

# Every shape is drawn this many times larger and then box-filtered down, so
# edges get exact area coverage instead of Pillow's aliased primitives.
SUPERSAMPLE = 16

# Geometry is in target pixels. Each size is tuned on its own rather than
# scaled from one master: at 16 px the cross has to sit on whole pixels and
# the rim can only afford one pixel of bevel, or the icon turns to mush.
#   rim     outer radius of the dark outline
#   bevel   outer radius of the lit bevel ring (rim - bevel = outline width)
#   face    radius of the button face (bevel - face = bevel width)
#   arm     the cross runs from arm[0] to arm[1] along each axis
#   bar     and is bar[0]..bar[1] thick
#   edge    width of the darker red border round the cross (0 = none)
#   lit     width of the highlight on the cross's top and left sides
#   shadow  offset of the cross's soft shadow on the face (0 = none)
SIZES = {
    16: dict(rim=8.0, bevel=7.0, face=6.0, arm=(3, 13), bar=(6, 10), edge=0, lit=0, shadow=0),
    32: dict(rim=16.0, bevel=15.0, face=13.0, arm=(6, 26), bar=(12, 20), edge=1, lit=1, shadow=1),
    48: dict(rim=24.0, bevel=23.0, face=20.0, arm=(9, 39), bar=(18, 30), edge=1, lit=1, shadow=1),
}

OUTLINE = (86, 86, 86)
BEVEL_LIGHT, BEVEL_DARK = (255, 255, 255), (128, 128, 128)
FACE_LIGHT, FACE_DARK = (242, 242, 242), (200, 200, 200)
CROSS = (214, 32, 32)
CROSS_EDGE = (150, 18, 18)
CROSS_HIGHLIGHT = (236, 88, 80)
SHADOW = (0, 0, 0, 60)


def diagonal(n, light, dark):
    """An n x n square shaded from `light` at the top left to `dark` at the
    bottom right, as if lit from the upper left like every Windows control."""
    down = Image.linear_gradient("L").resize((n, n), Image.Resampling.BILINEAR)
    across = down.transpose(Image.Transpose.TRANSPOSE)
    return ImageOps.colorize(ImageChops.add(down, across, scale=2.0), light, dark)


def disc(n, centre, radius):
    """Coverage mask of a circle, in supersampled pixels."""
    mask = Image.new("L", (n, n), 0)
    lo, hi = (centre - radius) * SUPERSAMPLE, (centre + radius) * SUPERSAMPLE
    ImageDraw.Draw(mask).ellipse([lo, lo, hi - 1, hi - 1], fill=255)
    return mask


def cross(n, arm, bar, inset=0.0, dx=0.0, dy=0.0):
    """Coverage mask of the plus sign, optionally shrunk by `inset` pixels on
    every side and shifted by (dx, dy)."""
    mask = Image.new("L", (n, n), 0)
    draw = ImageDraw.Draw(mask)

    def box(x0, y0, x1, y1):
        s = SUPERSAMPLE
        draw.rectangle([round((x0 + inset + dx) * s), round((y0 + inset + dy) * s),
                        round((x1 - inset + dx) * s) - 1, round((y1 - inset + dy) * s) - 1],
                       fill=255)

    box(arm[0], bar[0], arm[1], bar[1])
    box(bar[0], arm[0], bar[1], arm[1])
    return mask


def paint(canvas, colour, mask):
    """Lays a solid colour (or an RGB image) over the canvas through a mask."""
    if isinstance(colour, Image.Image):
        layer = colour.convert("RGBA")
    else:
        layer = Image.new("RGBA", canvas.size, colour)
    layer.putalpha(ImageChops.multiply(layer.getchannel("A"), mask))
    canvas.alpha_composite(layer)


def draw_icon(size, rim, bevel, face, arm, bar, edge, lit, shadow):
    n = size * SUPERSAMPLE
    c = size / 2
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))

    paint(img, OUTLINE, disc(n, c, rim))
    paint(img, diagonal(n, BEVEL_LIGHT, BEVEL_DARK), disc(n, c, bevel))
    paint(img, diagonal(n, FACE_LIGHT, FACE_DARK), disc(n, c, face))

    if shadow:
        # Keep the shadow on the face; spilling onto the bevel looks dirty.
        soft = ImageChops.multiply(cross(n, arm, bar, dx=shadow, dy=shadow), disc(n, c, face))
        paint(img, SHADOW, soft)

    if edge:
        paint(img, CROSS_EDGE, cross(n, arm, bar))
        inner = cross(n, arm, bar, inset=edge)
        if lit:
            # A lit top and left edge makes the cross look raised, matching
            # the button it sits on.
            paint(img, CROSS_HIGHLIGHT, inner)
            inner = ImageChops.multiply(inner, cross(n, arm, bar, inset=edge, dx=lit, dy=lit))
        paint(img, CROSS, inner)
    else:
        paint(img, CROSS, cross(n, arm, bar))

    return img.resize((size, size), Image.Resampling.BOX)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    out_dir = sys.argv[1]
    for size, shape in SIZES.items():
        draw_icon(size, **shape).save(os.path.join(out_dir, f"icon-{size}.png"))


if __name__ == "__main__":
    main()
