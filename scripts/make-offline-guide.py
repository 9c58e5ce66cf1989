#!/usr/bin/python3
"""Makes the offline copy of the users' guide, release/Quorvane-guide.mht.

The guide's Markdown pages, in reading order (PAGES), are rendered by
cmark-gfm into one HTML 4.01 document with no script, which tidy must accept.
Links between the pages become anchors within the document, links to files
that only the repository has become their plain text, and the pictures travel
inside the file: the document and its pictures are packed as one MHTML web
archive (MIME multipart/related), which Internet Explorer 5 and later open
with a double click. The text is UTF-8, declared both in the archive's part
header and in the document's META element.

Nothing in the output depends on the time, the machine or the folder it runs
in: the same sources give the same bytes, which scripts/check-reproducible.sh
compares with the committed copy.

usage: make-offline-guide.py [--root DIR] [--output FILE] [--pages PAGE...]
"""

import argparse
import base64
import glob
import html
import os
import posixpath
import quopri
import re
import subprocess
import sys
import tempfile
import unicodedata
import urllib.parse

# The guide's pages in reading order, relative to the repository. Every
# guide/*.md must be here, and everything here must exist.
PAGES = [
    "README.zh-CN.md",
    "guide/second-disk.md",
    "guide/system-disk.md",
    "guide/multi-boot.md",
    "guide/download.md",
    "guide/dialog.md",
    "guide/limit.md",
    "guide/partitions.md",
    "guide/boot-ini.md",
    "guide/trouble.md",
    "guide/moving.md",
    "guide/backup.md",
    "guide/undo.md",
    "guide/other.md",
]

OUTPUT = "release/Quorvane-guide.mht"
# The archive's own addresses for the document and its pictures, as Internet
# Explorer writes them when it saves a web page: an http address, against
# which the document's relative picture paths (their paths in the repository)
# resolve. The host is of the reserved .invalid domain, so nothing is ever
# fetched from it. (Chromium, with which the copy is looked at here, finds no
# picture under file: addresses.)
SITE = "http://quorvane.invalid/"
DOCUMENT_LOCATION = SITE + "Quorvane-guide.htm"
BOUNDARY = "----=_NextPart_Quorvane_Guide"
PICTURE_TYPES = {".png": "image/png", ".gif": "image/gif", ".jpg": "image/jpeg"}

# Little CSS, nearly all of it CSS 1. A long command wraps instead of running off the
# window and the printed sheet where the browser can: pre-wrap for today's
# browsers, Internet Explorer's own word-wrap for its 5.5 and 6 (5.01 lets it
# run on). Code has a grey ground, as on the repository's pages: Chinese in
# it is drawn in the same face as the text around it. Each page after the
# first starts a new printed sheet.
STYLE = """\
body { margin: 1em 2em; line-height: 1.5; }
pre { background: #f0f0f0; border: 1px solid #c0c0c0; padding: 0.5em;
      white-space: pre-wrap; word-wrap: break-word; }
code { font-family: "Courier New", monospace; background: #e8e8e8; }
pre code { background: transparent; }
img { border: 1px solid #808080; }
div.page { page-break-before: always; }
div.first { page-break-before: auto; }
"""


class GuideError(Exception):
    pass


class MissingTool(Exception):
    pass


def run(command):
    try:
        return subprocess.run(command, capture_output=True, check=False)
    except FileNotFoundError:
        raise MissingTool(f"{command[0]} is missing: scripts/install-deps.sh installs it") \
            from None


def github_slug(text):
    """The anchor GitHub gives a heading whose text is TEXT (without the
    -1, -2 suffix of repeated headings): lower case, every character that
    is not a letter, a mark, a digit, '_', '-' or a space dropped, each
    space made a '-'."""
    kept = []
    for char in text.lower():
        category = unicodedata.category(char)
        if category[0] in "LMN" or category == "Pc" or char in " -":
            kept.append("-" if char == " " else char)
    return "".join(kept)


def text_of(fragment):
    return html.unescape(re.sub(r"<[^>]*>", "", fragment))


def page_key(page):
    stem = posixpath.basename(page).split(".")[0].lower()
    if not re.fullmatch(r"[a-z][a-z0-9-]*", stem):
        raise GuideError(f"{page}: its name must start with a letter and hold only "
                         "letters, digits and '-', as it names the page's anchors")
    return stem


def check_page_list(root, pages):
    problems = []
    for page in pages:
        if not os.path.isfile(os.path.join(root, page)):
            problems.append(f"{page} is listed in PAGES but does not exist")
    on_disk = sorted(posixpath.relpath(path, root).replace(os.sep, "/")
                     for path in glob.glob(os.path.join(root, "guide", "*.md")))
    for page in on_disk:
        if page not in pages:
            problems.append(f"{page} exists but is not listed in PAGES")
    if len(set(pages)) != len(pages):
        problems.append("PAGES lists a page twice")
    if problems:
        raise GuideError("the page list in scripts/make-offline-guide.py is not the "
                         "guide's:\n  " + "\n  ".join(problems))


def render(root, page):
    result = run(["cmark-gfm", "--extension", "table", "--extension", "autolink",
                  os.path.join(root, page)])
    if result.returncode != 0:
        raise GuideError(f"{page}: cmark-gfm failed: {result.stderr.decode(errors='replace')}")
    body = result.stdout.decode("utf-8")
    if "<!-- raw HTML omitted -->" in body:
        raise GuideError(f"{page}: holds raw HTML, which the copy leaves out: write it in "
                         "Markdown")
    return body


HEADING = re.compile(r"<h([1-6])>(.*?)</h\1>", re.S)
LINK = re.compile(r'<a href="([^"]*)"(?: title="[^"]*")?>(.*?)</a>', re.S)
IMAGE = re.compile(r'<img src="([^"]*)" alt="([^"]*)"(?: title="([^"]*)")? />')


class Page:
    def __init__(self, name, body):
        self.name = name
        self.key = page_key(name)
        self.body = body
        # GitHub's anchor of each heading -> this copy's anchor.
        self.anchors = {}
        self.first_anchor = None
        seen = {}
        number = 0

        def name_heading(match):
            nonlocal number
            number += 1
            slug = github_slug(text_of(match.group(2)))
            repeat = seen.get(slug, 0)
            seen[slug] = repeat + 1
            if repeat:
                slug = f"{slug}-{repeat}"
            anchor = f"{self.key}-{number}"
            self.anchors[slug] = anchor
            if self.first_anchor is None:
                self.first_anchor = anchor
            level = match.group(1)
            return f'<h{level}><a name="{anchor}"></a>{match.group(2)}</h{level}>'

        self.body = HEADING.sub(name_heading, self.body)
        if self.first_anchor is None:
            raise GuideError(f"{name}: has no heading, so no link can lead to it")


def resolve(page, target):
    """TARGET, a relative path in PAGE, as a path from the repository's root,
    or None when it leads out of the repository."""
    path = posixpath.normpath(posixpath.join(posixpath.dirname(page), target))
    return None if path == ".." or path.startswith("../") else path


def rewrite_links(root, page, pages_by_name):
    def link(match):
        href = html.unescape(match.group(1))
        text = match.group(2)
        # As the page writes it: cmark-gfm percent-encodes what is not ASCII.
        written = urllib.parse.unquote(href)
        parts = urllib.parse.urlsplit(href)
        fragment = urllib.parse.unquote(parts.fragment)
        if parts.scheme or parts.netloc:
            # The web is not at hand where the copy is read: the address as text.
            if text_of(text) in (href, written):
                return text
            return f"{text}（{html.escape(href, quote=False)}）"
        if not parts.path:
            target = page.name
        else:
            target = resolve(page.name, urllib.parse.unquote(parts.path))
            if target is None or not os.path.exists(os.path.join(root, target)):
                raise GuideError(f"{page.name}: links to {written}, which is not in the "
                                 "repository")
        if target not in pages_by_name:
            # A file of the repository that the copy does not hold (the program,
            # SHA256SUMS, the English README): its name stays, as text.
            return text
        linked = pages_by_name[target]
        if not fragment:
            anchor = linked.first_anchor
        elif fragment in linked.anchors:
            anchor = linked.anchors[fragment]
        else:
            raise GuideError(f"{page.name}: links to {written}, but {target} has no heading "
                             f"with the anchor #{fragment}")
        return f'<a href="#{anchor}">{text}</a>'

    page.body = LINK.sub(link, page.body)


def picture_size(data, path):
    """Width and height of a PNG or GIF; refuses a PNG with an alpha channel,
    which Internet Explorer before 7 draws on grey."""
    if data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR":
        colour_type = data[25]
        if colour_type in (4, 6) or b"tRNS" in data[:data.find(b"IDAT")]:
            raise GuideError(f"{path}: has transparency, which Internet Explorer 5 and 6 "
                             "do not draw: save it without an alpha channel")
        return int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")
    if data[:6] in (b"GIF87a", b"GIF89a"):
        return int.from_bytes(data[6:8], "little"), int.from_bytes(data[8:10], "little")
    raise GuideError(f"{path}: is not a PNG or GIF picture")


def rewrite_images(root, page, pictures):
    def image(match):
        src = html.unescape(match.group(1))
        parts = urllib.parse.urlsplit(src)
        path = None if parts.scheme or parts.netloc else resolve(
            page.name, urllib.parse.unquote(parts.path))
        if path is None or not os.path.isfile(os.path.join(root, path)):
            raise GuideError(f"{page.name}: shows the picture {urllib.parse.unquote(src)}, "
                             "which is not in the "
                             "repository")
        extension = posixpath.splitext(path)[1].lower()
        if extension not in PICTURE_TYPES or not re.fullmatch(r"[A-Za-z0-9_./-]+", path):
            raise GuideError(f"{page.name}: the picture {src} must be a .png, .gif or .jpg "
                             "file with a name of letters, digits, '_', '-' and '.'")
        with open(os.path.join(root, path), "rb") as file:
            data = file.read()
        size = (None, None) if extension == ".jpg" else picture_size(data, path)
        pictures.setdefault(path, data)
        attributes = f'src="{path}" alt="{match.group(2)}"'
        if match.group(3) is not None:
            attributes += f' title="{match.group(3)}"'
        if size[0] is not None:
            attributes += f' width="{size[0]}" height="{size[1]}"'
        return f"<img {attributes}>"

    page.body = IMAGE.sub(image, page.body)


def html_document(pages):
    title = text_of(HEADING.search(pages[0].body).group(2))
    sections = []
    for index, page in enumerate(pages):
        body = page.body.replace(" />", ">")
        body = body.replace("<table>", '<table summary="" border="1" cellspacing="0" '
                            'cellpadding="4">')
        kind = "page first" if index == 0 else "page"
        sections.append(f'<div class="{kind}">\n{body}</div>\n')
    return (
        '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" '
        '"http://www.w3.org/TR/html4/strict.dtd">\n'
        '<html lang="zh-CN">\n<head>\n'
        '<meta http-equiv="Content-Type" content="text/html; charset=utf-8">\n'
        f"<title>{html.escape(title, quote=False)}</title>\n"
        f'<style type="text/css">\n{STYLE}</style>\n'
        "</head>\n<body>\n" + "<hr>\n".join(sections) + "</body>\n</html>\n")


def check_document(document, pictures):
    """Every link leads to an anchor of the document and every picture is in
    the archive: nothing in it needs the web or another file."""
    names = re.findall(r'<a name="([^"]*)">', document)
    duplicates = sorted({name for name in names if names.count(name) > 1})
    if duplicates:
        raise GuideError("the copy names these anchors twice: " + ", ".join(duplicates))
    for href in re.findall(r'href="([^"]*)"', document):
        if not href.startswith("#") or href[1:] not in names:
            raise GuideError(f"the copy links to {href}, which it does not hold")
    for src in re.findall(r'<img src="([^"]*)"', document):
        if src not in pictures:
            raise GuideError(f"the copy shows {src}, which it does not hold")
    if re.search(r"<(script|object|embed|iframe|form)\b|\bon[a-z]+=", document, re.I):
        raise GuideError("the copy holds script or an active element")


def check_with_tidy(document):
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".htm") as file:
        file.write(document)
        file.flush()
        result = run(["tidy", "-quiet", "-errors", "-utf8", "--gnu-emacs", "yes", file.name])
    # 0: conforms; 1: warnings; 2: errors. A warning is a fault too: tidy
    # names what a browser of 2000 may show otherwise than intended.
    if result.returncode != 0:
        findings = result.stderr.decode("utf-8", errors="replace").replace(
            file.name, "the copy's HTML")
        raise GuideError("tidy does not accept the copy as HTML 4.01:\n" + findings)


def header_text(text):
    """A header value, as an RFC 2047 encoded word where it is not ASCII."""
    if text.isascii():
        return text
    return "=?utf-8?B?" + base64.b64encode(text.encode("utf-8")).decode("ascii") + "?="


def crlf(data):
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def archive(document, title, pictures):
    """The document and its pictures as one MHTML web archive, lines ending
    in CRLF as MIME's do."""
    parts = [
        b"From: <Saved by scripts/make-offline-guide.py>\n"
        + f"Subject: {header_text(title)}\n".encode("ascii")
        + b"MIME-Version: 1.0\n"
        b'Content-Type: multipart/related; type="text/html";\n'
        + f'\tboundary="{BOUNDARY}"\n\n'.encode("ascii")
        + b"This is a multi-part message in MIME format.\n",
        b'Content-Type: text/html; charset="utf-8"\n'
        b"Content-Transfer-Encoding: quoted-printable\n"
        + f"Content-Location: {DOCUMENT_LOCATION}\n\n".encode("ascii")
        + quopri.encodestring(document.encode("utf-8")),
    ]
    for path, data in sorted(pictures.items()):
        kind = PICTURE_TYPES[posixpath.splitext(path)[1].lower()]
        encoded = base64.encodebytes(data)
        parts.append(
            f"Content-Type: {kind}\nContent-Transfer-Encoding: base64\n"
            f"Content-Location: {SITE}{path}\n\n".encode("ascii") + encoded)
    separator = f"\n--{BOUNDARY}\n".encode("ascii")
    body = separator.join(part.rstrip(b"\n") for part in parts)
    body += f"\n--{BOUNDARY}--\n".encode("ascii")
    # Quoted-printable writes '=' as =3D and base64 has no '-' or '_', so the
    # boundary cannot occur inside a part.
    if body.count(BOUNDARY.encode("ascii")) != len(parts) + 1:
        raise GuideError("the MIME boundary occurs inside a part")
    return crlf(body)


def make(root, pages, output):
    check_page_list(root, pages)
    rendered = [Page(name, render(root, name)) for name in pages]
    keys = [page.key for page in rendered]
    if len(set(keys)) != len(keys):
        raise GuideError("two pages share a name, and so their anchors: " + ", ".join(pages))
    by_name = {page.name: page for page in rendered}
    pictures = {}
    for page in rendered:
        rewrite_links(root, page, by_name)
        rewrite_images(root, page, pictures)
    document = html_document(rendered)
    check_document(document, pictures)
    check_with_tidy(document)
    title = text_of(HEADING.search(rendered[0].body).group(2))
    data = archive(document, title, pictures)
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, "wb") as file:
        file.write(data)


def main():
    parser = argparse.ArgumentParser(description="Makes the guide's offline copy.")
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--root", default=os.path.dirname(here),
                        help="the repository (default: this script's)")
    parser.add_argument("--output", help=f"the file to write (default: ROOT/{OUTPUT})")
    parser.add_argument("--pages", nargs="+", metavar="PAGE",
                        help="other pages than the guide's, for tests")
    arguments = parser.parse_args()
    output = arguments.output or os.path.join(arguments.root, OUTPUT)
    try:
        make(arguments.root, arguments.pages or PAGES, output)
    except GuideError as error:
        print(f"make-offline-guide.py: {error}", file=sys.stderr)
        sys.exit(1)
    except MissingTool as error:
        print(f"make-offline-guide.py: {error}", file=sys.stderr)
        sys.exit(2)


if __name__ == "__main__":
    main()
