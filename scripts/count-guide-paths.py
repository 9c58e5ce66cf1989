#!/usr/bin/python3
"""Counts what each kind of reader reads of the users' guide on the way from
its first line to a formatted new partition, following only the links that
reader's route gives. It counts characters as shown: not white space, link
targets or Markdown marks. A section is a heading and what follows it up to
the next heading; "" is a page's text before its first "##" heading. Exits 1
when a route is over its budget.

    /usr/bin/python3 scripts/count-guide-paths.py            # each route's total
    /usr/bin/python3 scripts/count-guide-paths.py --detail   # and each section's
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

START = ("README.zh-CN.md", ["", "它做什么", "先回答三个问题"])
LIMIT = ("guide/limit.md", ["", "界限在哪里，越过它会怎样", "不使用 48 位寻址的系统和工具",
                            "常见硬盘的大小"])
DIALOG = ("guide/dialog.md", ["", "「Windows 2000 SP4」「28位ATA规范」「需要升级」，「升级」可以点击",
                              "成功"])


def download(check):
    return ("guide/download.md", ["", "下载", check, "用 U 盘带过去"])


# The readers the guide was last walked for: each route's reader, with the
# check for the Windows they download on and an empty stick; a stick that
# holds files adds a section of its own.
SECOND_DISK = [
    START, ("guide/second-disk.md", None), LIMIT, ("guide/limit.md", ["拔下大硬盘"]),
    download("在 Windows 10 或 11 上检查"),
    DIALOG, ("guide/partitions.md", ["新的硬盘：写入签名，不要转换为动态磁盘", "向导的步骤"])]
ROUTES = {
    "second disk, Windows 11": SECOND_DISK,
    "second disk, Windows 11, a stick that holds files":
        SECOND_DISK + [("guide/download.md", ["U 盘上有文件时"])],
    "Windows 2000 alone on the big disk, Windows 10": [
        START, ("guide/system-disk.md", None), LIMIT, download("在 Windows 10 或 11 上检查"),
        DIALOG, ("guide/partitions.md", ["分区表的 4 项", "第一个分区多大", "向导的步骤"])],
    "multi-boot, Windows 7": [
        START, ("guide/multi-boot.md", None), LIMIT, download("在 Windows 7 上检查"),
        ("guide/download.md", ["Internet Explorer 的提示"]),
        DIALOG, ("guide/partitions.md", ["分区表的 4 项", "第一个分区多大", "向导的步骤",
                                         "选哪种文件系统"]),
        ("guide/boot-ini.md", ["修改 boot.ini"])],
}
BUDGETS = {name: 13000 if name.startswith("multi-boot") else 9000 for name in ROUTES}


def sections(text):
    """The page's sections by heading text, each with its lines."""
    found, current = {"": []}, ""
    for line in text.splitlines():
        heading = re.match(r"^(#+) (.*)", line)
        if heading and len(heading.group(1)) > 1:
            current = heading.group(2)
            if current in found:
                raise SystemExit(f"two sections are headed '{current}'")
            found[current] = [line]
        elif heading:
            found[""].append(line)
        else:
            found[current].append(line)
    return found


def shown(text):
    text = re.sub(r"!\[([^\]]*)\]\([^)]*\)", r"\1", text)
    text = re.sub(r"\]\([^)]*\)", "]", text)
    text = re.sub(r"[\[\]`*#>|]", "", text)
    text = re.sub(r"^\s*(\d+\.|-)\s", "", text, flags=re.M)
    text = re.sub(r"---", "", text)
    return len(re.sub(r"\s", "", text))


def count(route, detail=False):
    total = 0
    for page, wanted in route:
        found = sections((ROOT / page).read_text(encoding="utf-8"))
        for name in (wanted if wanted is not None else found):
            if name not in found:
                raise SystemExit(f"{page} has no section '{name}'")
            figure = shown("\n".join(found[name]))
            if detail:
                print(f"  {figure:5d}  {page} {name}")
            total += figure
    return total


whole = sum(shown(path.read_text(encoding="utf-8"))
            for path in [ROOT / "README.zh-CN.md", *sorted((ROOT / "guide").glob("*.md"))])
over = False
for name, route in ROUTES.items():
    figure = count(route, "--detail" in sys.argv[1:])
    over = over or figure > BUDGETS[name]
    print(f"{name}: {figure} characters (budget {BUDGETS[name]})"
          f"{'' if figure <= BUDGETS[name] else '  OVER'}")
print(f"the whole guide: {whole} characters")
sys.exit(1 if over else 0)
