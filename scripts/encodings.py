#!/usr/bin/env python3
"""Real-file check of the encodings: Japanese and Chinese manual pages from Debian's packages, each
converted by a built corvina in every encoding that holds it.

Usage: scripts/encodings.py CORVINA [LIMIT]    (CORVINA: the program in its program folder)

For every page it writes UTF-8 (with and without a mark), UTF-16LE and UTF-16BE (with a mark and
without) and, where code page 932 holds the text, code page 932, and checks:
- the detection: each file is taken in its own encoding (the page's encoding says which);
- every Unicode form gives the same page, in UTF-8;
- the page, with its tags removed and its references decoded, is the text with CR LF line ends and
  its tabs expanded at stops of four columns (a character's bytes in code page 932 where the code
  page holds it, else 2 for East Asian Wide and Fullwidth, 0 for Mn, Me and Cf, 1 else).
Prints the counts and the first failures; exits 1 on any failure.
"""
import glob
import gzip
import html
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unicodedata

PACKAGES = ["manpages-ja", "manpages-ja-dev", "manpages-zh"]


def width(ch):
    # Held by code page 932 when its bytes decode to it again: Python's codec also writes some
    # characters as their look-alikes (U+00A2 as the bytes of U+FFE0), which the program's table
    # does not.
    try:
        encoded = ch.encode("cp932")
        if encoded.decode("cp932") == ch:
            return len(encoded)
    except UnicodeEncodeError:
        pass
    if unicodedata.east_asian_width(ch) in ("W", "F"):
        return 2
    if unicodedata.category(ch) in ("Mn", "Me", "Cf"):
        return 0
    return 1


def expand(text):
    out = []
    for line in re.split(r"\r\n|\n|\r", text):
        column = 0
        chars = []
        for ch in line:
            if ch == "\t":
                spaces = 4 - column % 4
                chars.append(" " * spaces)
                column += spaces
            else:
                chars.append(ch)
                column += width(ch)
        out.append("".join(chars))
    if out and out[-1] == "":
        out.pop()
    return "".join(line + "\r\n" for line in out)


def page_text(page):
    page = re.sub(r'<SPAN CLASS="[^"]*">|</SPAN>', "", page)
    return re.sub(r"&#x([0-9A-F]+);", lambda m: chr(int(m.group(1), 16)), page)


def main():
    corvina = os.path.abspath(sys.argv[1])
    limit = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    work = tempfile.mkdtemp(prefix="corvina-encodings-")
    try:
        subprocess.run(["apt-get", "download", *PACKAGES], cwd=work, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for deb in glob.glob(os.path.join(work, "*.deb")):
            subprocess.run(["dpkg-deb", "-x", deb, os.path.join(work, "x")], check=True)
        texts = []
        for path in sorted(glob.glob(os.path.join(work, "x/usr/share/man/**/*.gz"), recursive=True)):
            try:
                text = gzip.open(path).read().decode("utf-8")
            except (UnicodeDecodeError, OSError):
                continue
            if any(ord(ch) > 127 for ch in text) and "\0" not in text:
                texts.append((os.path.relpath(path, work), text))
        if limit:
            texts = texts[:limit]
        prog = os.path.join(work, "prog")
        os.makedirs(prog)
        for name in os.listdir(os.path.dirname(corvina)):
            src = os.path.join(os.path.dirname(corvina), name)
            if os.path.isfile(src):
                shutil.copy(src, prog)
        for name in ("header.txt", "footer.txt"):
            open(os.path.join(prog, name), "wb").close()
        exe = os.path.join(prog, os.path.basename(corvina))
        forms = [
            ("UTF-8", lambda t: t.encode("utf-8")),
            ("UTF-8 with mark", lambda t: b"\xef\xbb\xbf" + t.encode("utf-8")),
            ("UTF-16LE with mark", lambda t: b"\xff\xfe" + t.encode("utf-16-le")),
            ("UTF-16BE with mark", lambda t: b"\xfe\xff" + t.encode("utf-16-be")),
            ("UTF-16LE", lambda t: t.encode("utf-16-le")),
            ("UTF-16BE", lambda t: t.encode("utf-16-be")),
        ]
        counts = {"files": len(texts), "conversions": 0, "code page 932 forms": 0}
        failures = []
        src = os.path.join(work, "in.src")
        out = os.path.join(work, "out.html")
        for name, text in texts:
            want = expand(text)
            pages = set()
            variants = list(forms)
            try:
                sjis = text.encode("cp932")
                if sjis.decode("cp932") == text:
                    variants.append(("code page 932", lambda t, b=sjis: b))
                    counts["code page 932 forms"] += 1
            except UnicodeEncodeError:
                pass
            for form, encode in variants:
                with open(src, "wb") as f:
                    f.write(encode(text))
                result = subprocess.run([exe, "txt", src, out], capture_output=True)
                counts["conversions"] += 1
                page = open(out, "rb").read() if os.path.exists(out) else b""
                encoding = "cp932" if form == "code page 932" else "utf-8"
                try:
                    got = page_text(page.decode(encoding))
                except UnicodeDecodeError:
                    got = None
                if result.returncode != 0 or got != want:
                    failures.append(f"{name} ({form}): status {result.returncode}, page differs")
                if encoding == "utf-8":
                    pages.add(page)
            if len(pages) > 1:
                failures.append(f"{name}: the Unicode forms give different pages")
        for key, value in counts.items():
            print(f"{key}: {value}")
        print(f"failures: {len(failures)}")
        for failure in failures[:20]:
            print("  " + failure)
        return 1 if failures else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
