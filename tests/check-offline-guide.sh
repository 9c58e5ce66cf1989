#!/usr/bin/env bash
# The guide's offline copy, made by scripts/make-offline-guide.py from the
# two-page fixture under tests/offline-guide/: first as it is, where every
# link must lead to its heading and every picture must travel in the file,
# then once for each fault the script must refuse, each in a fresh copy of
# the fixture changed by one command. Exits 1 when a case fails.
set -euo pipefail
cd "$(dirname "$0")/.."

make=$PWD/scripts/make-offline-guide.py
fixture=$PWD/tests/offline-guide
pages=(README.zh-CN.md guide/second.md)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
checked=0

fail() {
  echo "FAILED: $1" >&2
  failed=$((failed + 1))
}

# What a reader of the copy meets: each part of the archive, each link with
# the anchor and the heading it leads to, each picture with its size and
# whether the archive holds it, and the text of each paragraph.
read_copy() {
  /usr/bin/python3 - "$1" <<'EOF'
import email, html, re, sys
data = open(sys.argv[1], "rb").read()
if data.count(b"\n") != data.count(b"\r\n"):
    print("a line ends in LF alone")
message = email.message_from_bytes(data)
parts = list(message.walk())[1:]
locations = {}
for part in parts:
    print("PART", part.get_content_type(), part.get_content_charset() or "-",
          part.get("Content-Location"))
    locations[part.get("Content-Location")] = part.get_payload(decode=True)
document = parts[0].get_payload(decode=True).decode(parts[0].get_content_charset())
base = parts[0].get("Content-Location").rsplit("/", 1)[0] + "/"
text = lambda fragment: html.unescape(re.sub(r"<[^>]*>", "", fragment))
headings = {name: text(title) for name, title in
            re.findall(r'<h[1-6]><a name="([^"]*)"></a>(.*?)</h[1-6]>', document)}
for href, label in re.findall(r'<a href="([^"]*)">(.*?)</a>', document):
    print("LINK", text(label), "->", href, headings.get(href[1:], "(no such anchor)"))
for src, width, height in re.findall(
        r'<img src="([^"]*)" alt="[^"]*" width="(\d+)" height="(\d+)">', document):
    print("PICTURE", src, width + "x" + height,
          "held" if base + src in locations else "NOT HELD")
for paragraph in re.findall(r"<p>(.*?)</p>", document, re.S):
    print("TEXT", text(paragraph))
EOF
}

expected_reading='PART text/html utf-8 http://quorvane.invalid/Quorvane-guide.htm
PART image/png - http://quorvane.invalid/guide/pictures/dot.png
LINK 下载 -> #readme-2 下载
LINK 越过界限 -> #second-2 分区是否越过了界限
LINK 第二页 -> #second-1 第二页
LINK 第一页的下载 -> #readme-2 下载
LINK 第二个下载 -> #second-4 下载
PICTURE guide/pictures/dot.png 3x2 held
PICTURE guide/pictures/dot.png 3x2 held
TEXT 先读下载，再读第二页的越过界限和第二页。
TEXT 程序本身是 release/Quorvane.exe，英文文档是 README.md，网站是 项目主页（https://example.invalid/quorvane），也可以直接写 https://example.invalid/a。
TEXT 
TEXT 回到第一页的下载，或者本页的第二个下载。
TEXT 
TEXT 见 README.md。'

# The fixture as it is: made, read back, and made again byte for byte.
copy=$work/as-is
cp -r "$fixture" "$copy"
checked=$((checked + 1))
if ! "$make" --root "$copy" --pages "${pages[@]}" --output "$work/first.mht"; then
  fail "the fixture as it is: the script refused it"
else
  reading=$(read_copy "$work/first.mht")
  if [ "$reading" != "$expected_reading" ]; then
    fail "the fixture as it is reads otherwise than expected:"
    diff <(echo "$expected_reading") <(echo "$reading") >&2 || true
  fi
  "$make" --root "$copy" --pages "${pages[@]}" --output "$work/second.mht"
  cmp -s "$work/first.mht" "$work/second.mht" || fail "two runs on one fixture differ"
fi

# case | change to the fixture's copy (run in it) | extra page listed | what
# the script must say. Each case must end with status 1 and that message.
cases=(
  "a page that the list lacks|printf '# 多余\n' > guide/extra.md||guide/extra.md exists but is not listed in PAGES"
  "a listed page that is missing|true|guide/gone.md|guide/gone.md is listed in PAGES but does not exist"
  "a page without a heading|printf '只有文字。\n' > guide/second.md||guide/second.md: has no heading"
  "two pages of one name|printf '# 同名\n' > guide/readme.md|guide/readme.md|two pages share a name"
  "a link to a missing heading of another page|sed -i 's/#分区是否越过了界限/#没有这一节/' README.zh-CN.md||README.zh-CN.md: links to guide/second.md#没有这一节, but guide/second.md has no heading with the anchor #没有这一节"
  "a link to a missing heading of the page|sed -i 's/#下载-1/#下载-2/' guide/second.md||guide/second.md: links to #下载-2, but guide/second.md has no heading"
  "a link to a missing file|sed -i 's#(README.md#(READ-ME.md#' README.zh-CN.md||README.zh-CN.md: links to READ-ME.md#download, which is not in the repository"
  "a link out of the repository|sed -i 's#(../README.md)#(../../README.md)#' guide/second.md||guide/second.md: links to ../../README.md, which is not in the repository"
  "a missing picture|rm guide/pictures/dot.png||README.zh-CN.md: shows the picture guide/pictures/dot.png, which is not in the repository"
  "a picture from the web|sed -i 's#(pictures/dot.png)#(https://example.invalid/dot.png)#' guide/second.md||guide/second.md: shows the picture https://example.invalid/dot.png, which is not in the repository"
  "a picture with an alpha channel|convert -size 3x2 xc:'rgba(0,0,255,0.5)' PNG32:guide/pictures/dot.png||guide/pictures/dot.png: has transparency"
  "a picture of another kind|printf 'BM' > guide/pictures/dot.png||guide/pictures/dot.png: is not a PNG or GIF picture"
  "raw HTML|printf '\n<b>粗</b>\n' >> guide/second.md||guide/second.md: holds raw HTML"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name change extra message <<<"$row"
  checked=$((checked + 1))
  copy=$work/case-$checked
  cp -r "$fixture" "$copy"
  (cd "$copy" && eval "$change")
  listed=("${pages[@]}")
  [ -z "$extra" ] || listed+=("$extra")
  status=0
  said=$("$make" --root "$copy" --pages "${listed[@]}" --output "$copy/out.mht" 2>&1) || status=$?
  if [ "$status" -ne 1 ] || [[ $said != *"$message"* ]]; then
    fail "$name: expected status 1 and '$message', got status $status and: $said"
  elif [ -e "$copy/out.mht" ]; then
    fail "$name: refused, but left a copy behind"
  fi
done

echo "$((checked - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
