#!/usr/bin/python3
"""Makes res/background.bmp, the picture that fills the Quorvane dialog: a
desktop computer on the left, the explanation text at the top right and the
labels for the three status fields, as an 8-bit, 256-colour, uncompressed BMP.

Usage: /usr/bin/python3 res/art/make-background.py [OUTPUT.bmp]
(without an argument it writes res/background.bmp next to this folder)
"""

import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.join(HERE, os.pardir, "background.bmp")

# The bitmap resource is a little larger than the dialog; only the top-left
# 450 x 210 is ever on screen, so nothing that matters goes beyond that.
WIDTH, HEIGHT = 462, 211
VISIBLE_W, VISIBLE_H = 450, 210

FONT_FILE = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
FONT_PX = 12  # same body size as the dialog's own controls

# Pixel rectangles (x, y, w, h) of the controls the dialog lays over the
# picture. Labels are placed from these; nothing else may be drawn on them.
FIELDS = [(228, 106, 126, 16), (228, 130, 126, 16), (228, 154, 126, 16)]
BUTTONS = [(369, 109, 54, 21), (369, 147, 54, 21)]
LABELS = ["操作系统", "ATA规范", "可否升级"]
LABEL_GAP = 6  # labels end this far left of their field

INTRO = (
    "Windows 2000 SP4 默认使用28位ATA寻址，容量大于130GB的硬盘只能被识别为131GB。"
    "本程序将系统切换为更新的48位寻址方式，使大于130GB（最大2200GB）的硬盘能够被完整识别。"
)
FOOTER = "适用于 Windows 2000 SP4"

INTRO_BOX = (172, 10, 446, 98)  # left, top, right, bottom
LINE_PITCH = 19
FOOTER_POS = (10, 190)
RULE_X = 160
RULE_SPAN = (10, 200)

BG_TOP, BG_BOTTOM = (255, 255, 255), (232, 236, 242)
TEXT = (28, 32, 38)
FOOTER_TEXT = (84, 92, 104)
RULE_DARK, RULE_LIGHT = (178, 184, 192), (255, 255, 255)

# The computer is drawn this many times larger and box-filtered down, which
# antialiases Pillow's otherwise hard-edged shapes.
SS = 4
ART_BOX = (0, 0, 152, 184)  # region of the picture the computer lives in

CASE_LIGHT, CASE_DARK = (232, 230, 224), (196, 194, 187)
CASE_LINE = (112, 116, 122)
BEZEL_INNER = (150, 152, 150)
SCREEN_TOP, SCREEN_BOTTOM = (24, 64, 124), (58, 122, 196)
SCREEN_INK = (214, 232, 252)
KEY = (246, 245, 241)
KEY_SHADE = (170, 170, 164)
SLOT = (96, 100, 104)
LED = (64, 186, 92)


def vertical_gradient(size, top, bottom):
    w, h = size
    ramp = Image.linear_gradient("L").resize((1, h), Image.Resampling.BILINEAR)
    ramp = ramp.resize((w, h), Image.Resampling.NEAREST)
    return Image.merge("RGB", [
        ramp.point(lambda v, a=a, b=b: round(a + (b - a) * v / 255))
        for a, b in zip(top, bottom)
    ])


def font():
    # The basic layout engine keeps the output the same whether or not
    # Pillow was built with libraqm; nothing here needs complex shaping.
    return ImageFont.truetype(FONT_FILE, FONT_PX, index=0,
                              layout_engine=ImageFont.Layout.BASIC)


# --- the computer ---------------------------------------------------------

class Art:
    """Drawing helpers in 1x coordinates on the supersampled canvas."""

    def __init__(self, w, h):
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.img)

    @staticmethod
    def _box(box):
        x0, y0, x1, y1 = box
        return [round(x0 * SS), round(y0 * SS), round(x1 * SS) - 1, round(y1 * SS) - 1]

    def rect(self, box, fill=None, outline=None, radius=0, width=1):
        self.draw.rounded_rectangle(self._box(box), radius=radius * SS, fill=fill,
                                    outline=outline, width=round(width * SS))

    def ellipse(self, box, fill=None, outline=None, width=1):
        self.draw.ellipse(self._box(box), fill=fill, outline=outline,
                          width=round(width * SS))

    def polygon(self, points, fill=None):
        self.draw.polygon([(x * SS, y * SS) for x, y in points], fill=fill)

    def shaded(self, box, top, bottom, radius=0):
        """A rounded box filled with a top-to-bottom gradient."""
        x0, y0, x1, y1 = self._box(box)
        fill = vertical_gradient((x1 - x0 + 1, y1 - y0 + 1), top, bottom)
        mask = Image.new("L", fill.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, fill.width - 1, fill.height - 1],
                                               radius=radius * SS, fill=255)
        self.img.paste(fill, (x0, y0), mask)

    def overlay(self, layer):
        self.img.alpha_composite(layer)

    def finish(self):
        return self.img.reduce(SS)


def draw_computer():
    x0, y0, x1, y1 = ART_BOX
    art = Art(x1 - x0, y1 - y0)

    # Soft floor shadow first so everything stands on it.
    shadow = Image.new("RGBA", art.img.size, (0, 0, 0, 0))
    ImageDraw.Draw(shadow).ellipse(Art._box((6, 140, 150, 166)), fill=(40, 48, 60, 70))
    art.overlay(shadow.filter(ImageFilter.GaussianBlur(4 * SS)))

    # Monitor: casing, bezel, screen.
    mon = (10, 22, 112, 100)
    art.shaded(mon, CASE_LIGHT, CASE_DARK, radius=5)
    art.rect(mon, outline=CASE_LINE, radius=5)
    screen = (18, 30, 104, 88)
    art.rect((screen[0] - 1, screen[1] - 1, screen[2] + 1, screen[3] + 1), fill=BEZEL_INNER,
             radius=2)
    art.shaded(screen, SCREEN_TOP, SCREEN_BOTTOM, radius=1.5)

    # On the screen: a disk drive, since disks are what the program is about.
    cx, top, bottom, rx, ry = 61, 44, 70, 17, 5.5
    art.rect((cx - rx, top, cx + rx, bottom), fill=SCREEN_INK)
    art.ellipse((cx - rx, bottom - ry, cx + rx, bottom + ry), fill=SCREEN_INK)
    for y in (top + 9, top + 18):
        # Platter seams: thin dark arcs across the cylinder.
        art.ellipse((cx - rx, y - ry, cx + rx, y + ry), outline=(120, 156, 200), width=1)
        art.rect((cx - rx, y - ry - 1, cx + rx, y), fill=SCREEN_INK)
    art.ellipse((cx - rx, top - ry, cx + rx, top + ry), fill=(240, 247, 255),
                outline=(150, 182, 220), width=1)
    art.ellipse((cx - 3, top - 1.2, cx + 3, top + 1.2), fill=(150, 182, 220))

    # A faint diagonal glare across the upper left of the glass.
    glare = Image.new("RGBA", art.img.size, (0, 0, 0, 0))
    ImageDraw.Draw(glare).polygon(
        [(s * SS, t * SS) for s, t in ((18, 30), (70, 30), (18, 66))], fill=(255, 255, 255, 26))
    art.overlay(glare)

    art.ellipse((101, 92, 104, 95), fill=LED)

    # Stand.
    art.polygon([(52, 100), (70, 100), (74, 110), (48, 110)], fill=CASE_DARK)
    art.shaded((36, 108, 86, 114), CASE_LIGHT, CASE_DARK, radius=3)
    art.rect((36, 108, 86, 114), outline=CASE_LINE, radius=3)

    # Tower to the right of the monitor.
    tower = (118, 30, 146, 150)
    art.shaded(tower, CASE_LIGHT, CASE_DARK, radius=3)
    art.rect(tower, outline=CASE_LINE, radius=3)
    for y in (38, 50):
        art.rect((122, y, 142, y + 9), fill=(222, 220, 214), outline=(150, 152, 150),
                 radius=1)
        art.rect((125, y + 4, 139, y + 5.5), fill=SLOT)
    art.rect((124, 66, 140, 68), fill=SLOT, radius=1)
    art.ellipse((128, 126, 136, 134), fill=(214, 212, 206), outline=CASE_LINE, width=1)
    art.ellipse((131, 138, 133.5, 140.5), fill=LED)
    for y in range(80, 118, 4):
        art.rect((124, y, 140, y + 1.5), fill=(206, 204, 197))

    # Keyboard, seen slightly from above.
    art.rect((10, 144, 106, 149.5), fill=CASE_DARK, outline=CASE_LINE, radius=1.2)
    art.polygon([(16, 124), (100, 124), (106, 146), (10, 146)], fill=CASE_LINE)
    art.polygon([(17, 125), (99, 125), (104.8, 145), (11.2, 145)], fill=(218, 216, 210))
    rows = [(128, 132.5), (134, 138.5), (140, 144)]
    for (ky0, ky1), inset in zip(rows, (19, 16, 13)):
        left, right = inset, 116 - inset
        n = 12
        pitch = (right - left) / n
        for i in range(n):
            kx0 = left + i * pitch + 0.4
            art.rect((kx0, ky0 + 0.6, kx0 + pitch - 0.8, ky1 + 0.6), fill=KEY_SHADE, radius=0.6)
            art.rect((kx0, ky0, kx0 + pitch - 0.8, ky1), fill=KEY, radius=0.6)

    # Mouse beside the keyboard.
    art.ellipse((108, 134, 116, 148), fill=KEY, outline=CASE_LINE, width=1)
    art.rect((111.6, 135, 112.4, 140), fill=CASE_LINE)

    return art.finish()


# --- text -----------------------------------------------------------------

CLOSING = set("，。、；：！？）》」』”’%")
OPENING = set("（《「『“‘")


def is_latin(ch):
    return ch.isascii() and ch.isalnum()


def tokens(text):
    """Splits text into what may not be broken: runs of Latin letters and
    digits, single spaces, and single CJK characters."""
    out, word = [], ""
    for ch in text:
        if is_latin(ch):
            word += ch
            continue
        if word:
            out.append(word)
            word = ""
        out.append(ch)
    if word:
        out.append(word)
    return out


def gap(f, left, right):
    """Extra room between neighbouring tokens: a little air where Chinese
    meets Latin text, as a typesetter would add."""
    if left == " " or right == " ":
        return 0
    if is_latin(left[-1]) != is_latin(right[0]):
        if left[-1] in CLOSING or right[0] in OPENING or right[0] in CLOSING or left[-1] in OPENING:
            return 0
        return round(f.getlength(" ") / 2)
    return 0


def wrap(f, text, width):
    """Greedy line breaking that keeps closing punctuation off the start of a
    line and opening punctuation off its end."""
    lines, line = [], []

    def line_width(toks):
        w = 0
        for i, t in enumerate(toks):
            w += f.getlength(t)
            if i:
                w += gap(f, toks[i - 1], t)
        return w

    for tok in tokens(text):
        if not line and tok == " ":
            continue
        trial = line + [tok]
        if line_width(trial) <= width or not line:
            line = trial
            continue
        carry = [tok]
        if tok in CLOSING:
            # Pull the previous character down with it rather than start a
            # line with a comma.
            carry = [line.pop(), tok]
        while line and line[-1] in OPENING:
            carry.insert(0, line.pop())
        while line and line[-1] == " ":
            line.pop()
        lines.append(line)
        while carry and carry[0] == " ":
            carry.pop(0)
        line = carry
    if line:
        lines.append(line)
    return lines


def ink_left(f, text):
    """How far right of the pen position the first inked column falls."""
    mask = Image.new("L", (FONT_PX * 4, FONT_PX * 2), 0)
    ImageDraw.Draw(mask).text((0, 0), text, font=f, fill=255)
    return mask.getbbox()[0]


def draw_paragraph(draw, f, text, box, pitch):
    left, top, right, bottom = box
    width = right - left
    lines = wrap(f, text, width)
    ascent, descent = f.getmetrics()
    if top + (len(lines) - 1) * pitch + ascent + descent > bottom:
        sys.exit(f"make-background.py: the paragraph needs {len(lines)} lines and no longer "
                 f"fits in {box}")
    for n, line in enumerate(lines):
        y = top + n * pitch
        widths = [f.getlength(t) for t in line]
        gaps = [0] + [gap(f, a, b) for a, b in zip(line, line[1:])]
        natural = sum(widths) + sum(gaps)
        # Justify every line but the last, spreading the slack evenly over
        # the gaps between characters, the way Chinese text is set.
        slack = width - natural if n < len(lines) - 1 else 0
        spaces = len(line) - 1
        # Full-width opening brackets carry their blank half on the left; at
        # the start of a line that reads as an indent, so hang it into the
        # margin until its ink meets the left edge.
        x = float(left) - (ink_left(f, line[0]) if line[0] in OPENING else 0)
        for i, tok in enumerate(line):
            if i:
                x += gaps[i] + (slack / spaces if spaces else 0)
            draw.text((round(x), y), tok, font=f, fill=TEXT)
            x += widths[i]


def draw_labels(draw, f):
    # Centre on the ink of a full-height CJK run so the three labels share a
    # baseline whatever characters they hold.
    _, ink_top, _, ink_bottom = f.getbbox("操作系统")
    for label, (fx, fy, fw, fh) in zip(LABELS, FIELDS):
        y = fy + (fh - (ink_bottom - ink_top)) / 2 - ink_top
        x = fx - LABEL_GAP - f.getlength(label)
        draw.text((round(x), round(y)), label, font=f, fill=TEXT)


# --- assembling and saving ------------------------------------------------

def compose():
    img = vertical_gradient((WIDTH, HEIGHT), BG_TOP, BG_BOTTOM).convert("RGBA")

    img.alpha_composite(draw_computer(), ART_BOX[:2])

    draw = ImageDraw.Draw(img)
    # An etched rule, dark line with a light one beside it, like the group
    # separators in the rest of the dialog.
    draw.line([(RULE_X, RULE_SPAN[0]), (RULE_X, RULE_SPAN[1])], fill=RULE_DARK)
    draw.line([(RULE_X + 1, RULE_SPAN[0]), (RULE_X + 1, RULE_SPAN[1])], fill=RULE_LIGHT)

    f = font()
    draw_paragraph(draw, f, INTRO, INTRO_BOX, LINE_PITCH)
    draw_labels(draw, f)
    draw.text(FOOTER_POS, FOOTER, font=f, fill=FOOTER_TEXT)
    return img.convert("RGB")


def check_controls_clear(rgb):
    """Fails if any text or artwork landed where the dialog puts a control:
    those rectangles must show only the plain background gradient."""
    plain = vertical_gradient((WIDTH, HEIGHT), BG_TOP, BG_BOTTOM)
    for x, y, w, h in FIELDS + BUTTONS:
        box = (x, y, x + w, y + h)
        if ImageChops.difference(rgb.crop(box), plain.crop(box)).getbbox():
            sys.exit(f"make-background.py: something is drawn under the control at {box}")


def to_palette(rgb):
    # Maximum coverage keeps every colour within a few levels of the
    # original; median cut spends the table on the background and smears the
    # small bright details (screen, lamps). No dithering: it would sprinkle
    # noise over the text edges and the flat background.
    pal = rgb.quantize(colors=256, method=Image.Quantize.MAXCOVERAGE,
                       dither=Image.Dither.NONE)
    entries = pal.getpalette("RGB")
    # Pillow writes only as many colour-table entries as the palette has;
    # the resource loader expects a full 256-entry table, so pad it.
    pal.putpalette(entries + [0] * (768 - len(entries)), "RGB")
    return pal


def check_bmp(path):
    """Reads back the headers and insists on the exact format the dialog
    code is written for."""
    with open(path, "rb") as fh:
        data = fh.read()
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    (hsize, w, h, planes, bpp, compression, _, _, _, used,
     _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    facts = dict(magic=magic, size=size, header=hsize, width=w, height=h, planes=planes,
                 bpp=bpp, compression=compression, colours=used)
    stride = (w * bpp + 31) // 32 * 4
    want = dict(magic=b"BM", size=len(data), header=40, width=WIDTH, height=HEIGHT, planes=1,
                bpp=8, compression=0)
    bad = {k: facts[k] for k, v in want.items() if facts[k] != v}
    if used not in (0, 256):
        bad["colours"] = used
    if offset != 14 + 40 + 256 * 4 or len(data) != offset + stride * HEIGHT:
        bad["layout"] = (offset, len(data))
    if bad:
        sys.exit(f"make-background.py: {path} came out wrong: {bad}")


def main():
    if len(sys.argv) > 2:
        sys.exit(__doc__.strip())
    out = os.path.normpath(sys.argv[1] if len(sys.argv) == 2 else DEFAULT_OUTPUT)
    rgb = compose()
    check_controls_clear(rgb)
    pal = to_palette(rgb)
    tmp = out + ".tmp"
    pal.save(tmp, format="BMP")
    check_bmp(tmp)
    os.replace(tmp, out)


if __name__ == "__main__":
    main()
