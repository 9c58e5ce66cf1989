#!/usr/bin/python3
"""Draws the documents' pictures: the guide's drawings of its worked
examples' disks, and README.md's screenshot with English callouts.

Each picture is a drawing, not a screenshot: the disk as Disk Management lays
it out, partitions left to right with their sizes, the 128 GB limit as a
line, the running sums, which partition crosses the limit, and the disk's
four partition-table entries. The examples' numbers are the one table
below: a change to an example is made here, the pictures are made again, and
the page that shows a picture must give each of its partitions' sizes, which
--check verifies with the pictures' bytes:

    /usr/bin/python3 scripts/draw-pictures.py          # writes them
    /usr/bin/python3 scripts/draw-pictures.py --check  # compares, writes nothing

The callouts name the dialog's controls where the main dialog's template in
res/Quorvane.rc puts them, in dialog units; the screenshot (docs/screenshot.png, made by
scripts/run.sh) is taken at Windows 2000's 1.5 pixels a unit.

The output is reproducible where the font file, Pillow and FreeType are the
same: Debian 12's python3-pil and fonts-wqy-microhei.
"""

import functools
import io
import pathlib
import re
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "guide" / "pictures"
SCREENSHOT = ROOT / "docs" / "screenshot.png"
CALLOUTS = ROOT / "docs" / "screenshot-callouts.png"
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
LIMIT_GB = 128

# A partition: (letter or None for unallocated space, size in GB as Windows
# shows it, kind, file system, note). Kinds: "主" primary, "逻辑" logical
# drive (inside the extended partition), "空" unallocated.
# An example: its file name, title, the disk's whole size, and one or two
# layouts (a caption and the partitions, left to right). A layout's logical
# drives, with unallocated space between them, form its extended partition.
EXAMPLES = [
    ("example-1-system-disk", "例一：Windows 2000 在这块 250 GB 的硬盘上，电脑上只有它", 232.8, [
        ("重新启动以后，新建分区以前", [
            ("C:", 30, "主", "NTFS", "Windows 2000"),
            (None, 202.8, "空", "", "没有分区")]),
        ("新建两个主磁盘分区以后", [
            ("C:", 30, "主", "NTFS", "Windows 2000"),
            ("D:", 95, "主", "NTFS", "撤销时保留"),
            ("E:", 107.8, "主", "NTFS", "撤销时删除")]),
    ]),
    ("example-2-second-disk", "例二：新的 250 GB 硬盘是第二块硬盘（磁盘 1）", 232.8, [
        ("重新启动以后，新建分区以前", [
            (None, 232.8, "空", "", "没有分区")]),
        ("新建两个主磁盘分区以后", [
            ("D:", 125, "主", "NTFS", "撤销时保留"),
            ("E:", 107.8, "主", "NTFS", "撤销时删除")]),
    ]),
    ("example-3-logical-drive", "例三：Windows 98 在 C: 上，Windows 2000 在逻辑驱动器 D: 上（200 GB 的硬盘）", 186.3, [
        ("重新启动以后，新建分区以前", [
            ("C:", 20, "主", "FAT32", "Windows 98"),
            ("D:", 40, "逻辑", "NTFS", "Windows 2000"),
            (None, 126.3, "空", "", "没有分区")]),
        ("新建两个主磁盘分区以后", [
            ("C:", 20, "主", "FAT32", "Windows 98"),
            ("D:", 40, "逻辑", "NTFS", "Windows 2000"),
            ("F:", 30, "主", "FAT32", "撤销时保留"),
            ("G:", 96.3, "主", "NTFS", "撤销时删除")]),
    ]),
    ("example-4-one-entry-left", "例四：Windows 98 SE 在 C: 上，Windows 2000 在第二个主磁盘分区上（250 GB 的硬盘）", 232.8, [
        ("重新启动以后，新建分区以前", [
            ("C:", 20, "主", "FAT32", "Win98 SE"),
            ("D:", 30, "主", "NTFS", "Windows 2000"),
            ("E:", 55, "逻辑", "FAT32", "两个系统共用"),
            (None, 127.8, "空", "", "没有分区")]),
        ("分区表只剩一项，只能建一个主磁盘分区。甲：用到底，格式化为 NTFS", [
            ("C:", 20, "主", "FAT32", "Win98 SE"),
            ("D:", 30, "主", "NTFS", "Windows 2000"),
            ("E:", 55, "逻辑", "FAT32", "两个系统共用"),
            ("F:", 127.8, "主", "NTFS", "撤销时删除")]),
        ("乙：完全留在界限以内（125 - 105 = 20 GB），格式化为 FAT32", [
            ("C:", 20, "主", "FAT32", "Win98 SE"),
            ("D:", 30, "主", "NTFS", "Windows 2000"),
            ("E:", 55, "逻辑", "FAT32", "两个系统共用"),
            ("F:", 20, "主", "FAT32", "撤销时保留"),
            (None, 107.8, "空", "", "没有分区")]),
    ]),
]

# 640 pixels wide: printed from Internet Explorer 6, which does not shrink a
# page to fit, a wider picture would lose its right edge on A4.
WIDTH = 640
MARGIN = 16
BAR_LEFT = 16
BAR_WIDTH = 606
BAR_HEIGHT = 72
INK = (0, 0, 0)
GREY = (96, 96, 96)
LIMIT_RED = (200, 0, 0)
FILL = {"主": (200, 220, 255), "逻辑": (205, 240, 205), "空": (255, 255, 255)}
CROSSING = (255, 210, 200)
EXTENDED = (0, 140, 0)


def png(image):
    """The picture as a PNG of at most 64 colours: a quarter of the bytes, which
    the offline guide carries inside itself, and still sharp text."""
    data = io.BytesIO()
    image.quantize(colors=64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(
        data, format="PNG", optimize=True)
    return data.getvalue()


@functools.lru_cache(maxsize=None)
def font(size):
    return ImageFont.truetype(FONT, size)


def wrapped(draw, text, text_font, width):
    """The text in lines no wider than width, broken after a Chinese
    punctuation mark where one is near, else anywhere (Chinese may break
    between any two characters)."""
    lines, line = [], ""
    for char in text:
        if draw.textlength(line + char, font=text_font) > width:
            cut = max(line.rfind(mark) for mark in "；，。：")
            if cut > len(line) * 2 // 3:
                lines.append(line[:cut + 1])
                line = line[cut + 1:]
            else:
                lines.append(line)
                line = ""
        line += char
    return lines + [line]


def paragraph(draw, xy, text, size, fill, width=WIDTH - 2 * MARGIN):
    """Draws the text wrapped at width; returns the y below it."""
    x, y = xy
    for line in wrapped(draw, text, font(size), width):
        draw.text((x, y), line, font=font(size), fill=fill)
        y += size + 5
    return y


def number(gb):
    return f"{gb:g}"


def entries(parts):
    """The partition table's four entries: primaries and one extended
    partition, in the order they stand on the disk."""
    table, extended = [], False
    for letter, _, kind, fs, _ in parts:
        if kind == "主":
            table.append(f"主磁盘分区 {letter}（{fs}）")
        elif kind == "逻辑" and not extended:
            table.append("扩展磁盘分区（其中的逻辑驱动器不占项）")
            extended = True
    if len(table) > 4:
        raise SystemExit(f"a layout needs {len(table)} partition-table entries, not 4 at most")
    return table + ["（空）"] * (4 - len(table))


def draw_layout(draw, top, disk_gb, caption, parts):
    scale = BAR_WIDTH / disk_gb
    caption_bottom = paragraph(draw, (BAR_LEFT, top), caption, 14, INK, BAR_WIDTH - 90)
    bar_top = caption_bottom + 8
    x_of = lambda gb: BAR_LEFT + round(gb * scale)

    start = 0.0
    logical = [i for i, p in enumerate(parts) if p[2] == "逻辑"]
    for letter, size, kind, fs, note in parts:
        end = start + size
        crosses = kind != "空" and end > LIMIT_GB
        x0, x1 = x_of(start), x_of(end)
        draw.rectangle([x0, bar_top, x1, bar_top + BAR_HEIGHT],
                       fill=CROSSING if crosses else FILL[kind], outline=INK)
        name = f"{letter} {number(size)} GB" if letter else f"{number(size)} GB"
        lines = [name] + [line for line in (fs, note) if line]
        if crosses:
            lines.append("越过界限")
        # Text that would start on the limit's line starts right of it.
        text_x = x0 + 4
        if x0 <= x_of(LIMIT_GB) < x0 + 110 and x1 - x_of(LIMIT_GB) > 60:
            text_x = x_of(LIMIT_GB) + 6
        y = bar_top + 4
        for i, line in enumerate(lines):
            size_px = 13 if i else 14
            text_font = font(size_px)
            while draw.textlength(line, font=text_font) > x1 - text_x - 2 and size_px > 8:
                size_px -= 1
                text_font = font(size_px)
            draw.text((text_x, y), line, font=text_font,
                      fill=LIMIT_RED if line == "越过界限" else INK)
            y += 16
        # The running sum, under the partition's right edge.
        label = number(round(end, 1))
        width = draw.textlength(label, font=font(12))
        draw.text((min(x1 - width / 2, BAR_LEFT + BAR_WIDTH - width), bar_top + BAR_HEIGHT + 4),
                  label, font=font(12), fill=GREY)
        start = end

    if logical:
        # One extended partition: its logical drives, with at most
        # unallocated space between them.
        if any(p[2] == "主" for p in parts[logical[0]:logical[-1]]):
            raise SystemExit(f"{caption}: a primary partition among the logical drives")
        first = sum(p[1] for p in parts[:logical[0]])
        last = sum(p[1] for p in parts[:logical[-1] + 1])
        draw.rectangle([x_of(first) - 2, bar_top - 3, x_of(last) + 2, bar_top + BAR_HEIGHT + 3],
                       outline=EXTENDED, width=2)

    limit_x = x_of(LIMIT_GB)
    draw.line([limit_x, bar_top - 8, limit_x, bar_top + BAR_HEIGHT + 8], fill=LIMIT_RED, width=3)
    # Under the bar, below the running sums, so that no caption meets it.
    draw.line([limit_x, bar_top + BAR_HEIGHT, limit_x, bar_top + BAR_HEIGHT + 30],
              fill=LIMIT_RED, width=1)
    draw.text((limit_x + 4, bar_top + BAR_HEIGHT + 18), f"界限 {LIMIT_GB} GB", font=font(12),
              fill=LIMIT_RED)

    table = "分区表的 4 项：" + "；".join(f"{i + 1}. {e}" for i, e in enumerate(entries(parts)))
    return paragraph(draw, (BAR_LEFT, bar_top + BAR_HEIGHT + 38), table, 12, INK) + 4


def picture(title, disk_gb, layouts):
    # Drawn on a canvas taller than any picture, then cut to what was drawn.
    image = Image.new("RGB", (WIDTH, 2000), (255, 255, 255))
    draw = ImageDraw.Draw(image)
    top = paragraph(draw, (MARGIN, 10), title, 16, INK)
    top = paragraph(draw, (MARGIN, top + 2), "示意图，不是屏幕截图。数字是 Windows 显示的大小"
                    "（GB），分区下面的数字是从硬盘开头加到它为止的总数。", 12, GREY) + 10
    for caption, parts in layouts:
        total = sum(p[1] for p in parts)
        if abs(total - disk_gb) > 0.05:
            raise SystemExit(f"{title}: {caption}: the parts add up to {total}, not {disk_gb}")
        top = draw_layout(draw, top, disk_gb, caption, parts) + 10
    top = paragraph(draw, (MARGIN, top), "蓝色：主磁盘分区。绿色：逻辑驱动器，绿框是把它们围在一起的"
                    "扩展磁盘分区。白色：没有分区的空间。浅红色：越过了界限的分区。", 12, GREY)
    height = top + 10
    return png(image.crop((0, 0, WIDTH, height)))


# What README.md calls the main dialog's controls, by id; where they stand is
# read from the dialog's template in res/Quorvane.rc (x, y, width, height in
# dialog units).
CALLOUT_LABELS = [
    ("IDC_OS_NAME", "System: Windows 2000 SP4 is the one it upgrades"),
    ("IDC_ATA_MODE", "ATA addressing: 28 = not yet, 48 = set"),
    ("IDC_UPGRADE_STATUS", "Upgrade: needed, done, impossible, unsupported"),
    ("IDOK", "Upper button: UPGRADE (the default: Enter)"),
    ("IDCANCEL", "Lower button: EXIT (changes nothing)"),
]
RESOURCES = ROOT / "res" / "Quorvane.rc"


def main_dialog_controls():
    script = RESOURCES.read_text(encoding="utf-8")
    template = script[script.index("IDD_UPGRADE_DIALOG DIALOGEX"):]
    template = template[:template.index("END")]
    found = {}
    for match in re.finditer(r'CONTROL\s+"[^"]*",\s*(\w+),\s*\w+,\s*\w+,\s*'
                             r'(\d+),\s*(\d+),\s*(\d+),\s*(\d+)', template):
        found[match.group(1)] = tuple(int(n) for n in match.group(2, 3, 4, 5))
    missing = [name for name, _ in CALLOUT_LABELS if name not in found]
    if missing:
        raise SystemExit(f"res/Quorvane.rc: the main dialog has no {', '.join(missing)}")
    return [(found[name], label) for name, label in CALLOUT_LABELS]


FIELD_COLOUR = (100, 190, 250)
PIXELS_PER_UNIT = 1.5


def badge(draw, centre, number):
    x, y = centre
    draw.ellipse([x - 9, y - 9, x + 9, y + 9], fill=LIMIT_RED)
    text = str(number)
    draw.text((x - draw.textlength(text, font=font(13)) / 2, y - 9), text,
              font=font(13), fill=(255, 255, 255))


def callouts():
    controls = main_dialog_controls()
    shot = Image.open(SCREENSHOT).convert("RGB")
    # The client area's origin in the screenshot, from the first field's
    # interior (the field's border is one pixel wide).
    field = [(y, x) for y in range(shot.height) for x in range(shot.width)
             if shot.getpixel((x, y)) == FIELD_COLOUR]
    if not field:
        raise SystemExit(f"docs/screenshot.png shows no field in the colour {FIELD_COLOUR}")
    first = min(field)
    origin = (first[1] - 1 - controls[0][0][0] * PIXELS_PER_UNIT,
              first[0] - 1 - controls[0][0][1] * PIXELS_PER_UNIT)
    top = 36
    label_x = shot.width + 24
    image = Image.new("RGB", (label_x + 360, shot.height + top + 8), (255, 255, 255))
    image.paste(shot, (0, top))
    draw = ImageDraw.Draw(image)
    draw.text((4, 8), "The dialog on a Simplified Chinese set-up, as Windows 2000 shows it; "
              "the numbers are added", font=font(15), fill=INK)
    for i, ((x, y, w, h), label) in enumerate(controls):
        # A field's number stands inside its right end, a button's beside it.
        inside = 12 if i < 3 else -14
        centre = (origin[0] + (x + w) * PIXELS_PER_UNIT - inside,
                  top + origin[1] + (y + h / 2) * PIXELS_PER_UNIT)
        badge(draw, centre, i + 1)
        label_y = top + 40 + i * 34
        badge(draw, (label_x + 9, label_y + 10), i + 1)
        draw.text((label_x + 26, label_y + 1), label, font=font(14), fill=INK)
    return png(image)


def figures_missing_from_the_guide():
    """Each partition's size in an example stands in the text of the page that
    shows its picture, so that the text and the drawing tell one story."""
    faults = []
    texts = {page: page.read_text(encoding="utf-8") for page in ROOT.glob("guide/*.md")}
    for name, _, _, layouts in EXAMPLES:
        pages = [page for page, text in texts.items() if f"pictures/{name}.png" in text]
        if not pages:
            faults.append(f"guide/pictures/{name}.png is shown by no page of the guide")
        for page in pages:
            text = texts[page]
            sizes = {number(size) for _, parts in layouts
                     for letter, size, _, _, _ in parts if letter}
            faults += [f"{page.relative_to(ROOT)} never gives {name}'s {size} GB"
                       for size in sorted(sizes) if not re.search(rf"(?<![\d.]){re.escape(size)} GB", text)]
    return faults


def main():
    check = sys.argv[1:] == ["--check"]
    if sys.argv[1:] not in ([], ["--check"]):
        raise SystemExit("usage: draw-pictures.py [--check]")
    wanted = {OUT / f"{name}.png": picture(title, disk, layouts)
              for name, title, disk, layouts in EXAMPLES}
    wanted[CALLOUTS] = callouts()
    if not check:
        OUT.mkdir(parents=True, exist_ok=True)
        for path, data in wanted.items():
            path.write_bytes(data)
        return
    stale = [path for path, data in wanted.items()
             if not path.is_file() or path.read_bytes() != data]
    faults = []
    faults += [f"{path.relative_to(ROOT)} is not what the script draws: run "
               "/usr/bin/python3 scripts/draw-pictures.py" for path in stale]
    faults += [f"{path.relative_to(ROOT)} is drawn by no example: remove it"
               for path in OUT.glob("*.png") if path not in wanted]
    faults += figures_missing_from_the_guide()
    for fault in faults:
        print(fault, file=sys.stderr)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
