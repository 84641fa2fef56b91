#!/usr/bin/env python3
"""Writes platform/Unicodewidths.h: the ranges of characters that take two columns (East Asian
Wide and Fullwidth) and none (categories Mn, Me and Cf), from Python's Unicode database.

Run it again when the tables should follow a newer Unicode version:
    python3 scripts/unicode-widths.py > platform/Unicodewidths.h
"""
import sys
import unicodedata


def ranges(test):
    out = []
    for cp in range(0x110000):
        if 0xD800 <= cp <= 0xDFFF or not test(chr(cp)):
            continue
        if out and out[-1][1] == cp - 1:
            out[-1][1] = cp
        else:
            out.append([cp, cp])
    return out


def table(name, rows):
    lines = [f"inline constexpr TRange {name}[] = {{"]
    line = "   "
    for first, last in rows:
        item = f" {{0x{first:X}, 0x{last:X}}},"
        if len(line) + len(item) > 99:
            lines.append(line)
            line = "   "
        line += item
    lines.append(line)
    lines.append("};")
    return "\n".join(lines)


wide = ranges(lambda c: unicodedata.east_asian_width(c) in ("W", "F"))
# A wide character keeps its two columns even where it is also a mark.
zero = ranges(lambda c: unicodedata.category(c) in ("Mn", "Me", "Cf")
              and unicodedata.east_asian_width(c) not in ("W", "F"))
sys.stdout.write(f"""// Unicodewidths: the characters that take two columns (East Asian Wide and Fullwidth) and none
// (categories Mn, Me, Cf), Unicode {unicodedata.unidata_version}. Made by scripts/unicode-widths.py; do not edit.
#pragma once

namespace Unicode {{

struct TRange {{
    char32_t First;
    char32_t Last;
}};

{table("WideRanges", wide)}

{table("ZeroRanges", zero)}

}} // namespace Unicode
""")
