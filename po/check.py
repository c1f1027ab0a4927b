#!/usr/bin/env python3
"""Checks that every translation keeps what the program relies on in its English text.

For each translated entry of the catalogs named on the command line: the same "%1".."%9"
placeholders, the same printf conversions in the same order (or the same date
conversions), the same count of access keys ('&', not '&&'), line breaks and tabs, the
same shape of a fixed layout ("70 88 02"), and a bare word as the language code.
An untranslated entry passes.

  check.py FILE.po...                  exit 1 and list the faults when there are any
  check.py --expect N FILE.po...       exit 0 only when exactly N faults are found
"""

import argparse
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from extract import ACCESS, ARG, LANGUAGE_CODE, LAYOUT, PRINTF, STRFTIME  # noqa: E402


def unquote(s):
    out, i = [], 0
    while i < len(s):
        if s[i] == "\\" and i + 1 < len(s):
            out.append({"n": "\n", "t": "\t", '"': '"', "\\": "\\"}.get(s[i + 1], s[i + 1]))
            i += 2
        else:
            out.append(s[i])
            i += 1
    return "".join(out)


def entries(path):
    """(line, context, msgid, msgstr) of every entry of a PO file."""
    entry, field, start = {}, None, 0
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n") + [""]
    for n, raw in enumerate(lines, 1):
        line = raw.strip()
        m = re.match(r'^(msgctxt|msgid|msgstr)\s+"(.*)"$', line)
        if m:
            if m.group(1) == "msgctxt" or (m.group(1) == "msgid" and "msgid" in entry):
                if "msgid" in entry:
                    yield start, entry.get("msgctxt"), entry["msgid"], entry.get("msgstr", "")
                entry, start = {}, n
            if not entry:
                start = n
            field = m.group(1)
            entry[field] = unquote(m.group(2))
        elif line.startswith('"') and field:
            entry[field] += unquote(line[1:-1])
        elif not line:
            if "msgid" in entry:
                yield start, entry.get("msgctxt"), entry["msgid"], entry.get("msgstr", "")
            entry, field = {}, None


def faults(english, text, context):
    """What a translation lost or changed."""
    out = []
    if sorted(ARG.findall(english)) != sorted(ARG.findall(text)):
        out.append("placeholders %s, not %s" % (ARG.findall(text), ARG.findall(english)))
    if STRFTIME.search(english):
        if sorted(STRFTIME.findall(english)) != sorted(STRFTIME.findall(text)):
            out.append("date conversions differ")
    elif PRINTF.findall(english) != PRINTF.findall(text):
        out.append("printf conversions %s, not %s" % (PRINTF.findall(text), PRINTF.findall(english)))
    keys = lambda s: len(ACCESS.findall(s.replace("&&", "")))  # noqa: E731
    if keys(english) != keys(text):
        out.append("%d access key(s), not %d" % (keys(text), keys(english)))
    for mark, name in (("\n", "line break"), ("\t", "tab")):
        if english.count(mark) != text.count(mark):
            out.append("%d %s(s), not %d" % (text.count(mark), name, english.count(mark)))
    if LAYOUT.match(english) and [len(w) for w in english.split(" ")] != [
        len(w) for w in text.split(" ")
    ]:
        out.append("the layout '%s' does not have the shape of '%s'" % (text, english))
    if context == str(LANGUAGE_CODE) and not re.match(r"^[a-z]+$", text):
        out.append("the language code must be one lower-case word")
    return out


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--expect", type=int)
    p.add_argument("files", nargs="+")
    a = p.parse_args()
    count = 0
    for path in a.files:
        for line, context, english, text in entries(path):
            if not english or not text:
                continue
            for fault in faults(english, text, context):
                count += 1
                print("%s:%d: text %s: %s" % (os.path.basename(path), line, context, fault))
    if a.expect is not None:
        return 0 if count == a.expect else 1
    return 1 if count else 0


if __name__ == "__main__":
    sys.exit(main())
