#!/usr/bin/env python3
"""Writes the gettext template po/zarim.pot from the string table.

The table is the set of src/core/strings_*.def files named by strings_all.def, one line
per text:  ZSTR(kName, number, "text").  Each text becomes one template entry whose
context (msgctxt) is the text's number, so that two equal English texts stay two entries
and the program finds a translation by number.  A text gets a translator comment when it
carries placeholders, access keys, line breaks, tab stops, a fixed layout or the language
code; a "// Translators: ..." comment line right above a ZSTR line is copied as well, and
a "// Not translated: ..." line keeps the text below it out of the template (file names,
settings keys, codes the program compares).

  extract.py [--root DIR] [--output FILE]   write the template
  extract.py --check                        fail when the template is not up to date
"""

import argparse
import os
import re
import sys

ZSTR = re.compile(r'^ZSTR\((\w+),\s*(\d+),\s*"((?:[^"\\]|\\.)*)"\)\s*$')
INCLUDE = re.compile(r'^#include "core/(strings_\w+\.def)"')
NOTE = re.compile(r"^//\s*Translators:\s*(.*)$")
SKIP = re.compile(r"^//\s*Not translated\b")

# "%1".."%9" filled by single-argument formatting.
ARG = re.compile(r"%[1-9]")
# printf conversions the program renders itself.
PRINTF = re.compile(r"%[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|z)?[diouxXeEfFgGcs]")
# strftime conversions (dates and times written by the program).
STRFTIME = re.compile(r"%[YmyHMSbBaAp]")
ACCESS = re.compile(r"(?<!&)&(?!&)")
LAYOUT = re.compile(r"^\d+( \d+)+$")

LANGUAGE_CODE = 1198

HEADER = """\
# Template of the texts of ZARIM.
# This file is written by po/extract.py from src/core/strings_*.def; do not edit it.
#
#, fuzzy
msgid ""
msgstr ""
"Project-Id-Version: zarim\\n"
"Report-Msgid-Bugs-To: \\n"
"POT-Creation-Date: 2026-01-01 00:00+0000\\n"
"PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\\n"
"Last-Translator: FULL NAME <EMAIL@ADDRESS>\\n"
"Language-Team: LANGUAGE <LL@li.org>\\n"
"Language: \\n"
"MIME-Version: 1.0\\n"
"Content-Type: text/plain; charset=UTF-8\\n"
"Content-Transfer-Encoding: 8bit\\n"
"""


def unescape(literal):
    """The text of a C string literal (the escapes the table uses)."""
    out = []
    i = 0
    while i < len(literal):
        c = literal[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        e = literal[i + 1]
        if e == "u":
            out.append(chr(int(literal[i + 2 : i + 6], 16)))
            i += 6
            continue
        simple = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}
        if e not in simple:
            raise ValueError("unsupported escape \\" + e)
        out.append(simple[e])
        i += 2
    return "".join(out)


def po_quote(text):
    """The text as one or more PO string lines (broken after each line break)."""
    esc = text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
    parts = esc.split("\n")
    pieces = [p + "\\n" for p in parts[:-1]] + ([parts[-1]] if parts[-1] else [])
    if len(pieces) == 1:
        return '"' + pieces[0] + '"'
    return '""\n' + "\n".join('"' + p + '"' for p in pieces)


def comments(number, text):
    """Translator comments for the rules a translation has to keep."""
    notes = []
    if number == LANGUAGE_CODE:
        notes.append(
            "The language code of this translation (for example french, spanish, "
            "ptg, polish, rus): it selects the program's language rules. Write the "
            "code, not a word."
        )
    args = sorted(set(ARG.findall(text)))
    if args:
        notes.append(
            "%s: filled in by the program; keep each of them (their order may change)."
            % ", ".join(args)
        )
    if STRFTIME.search(text):
        notes.append(
            "Date and time format (%Y year, %m month, %d day, %H hour, %M minute, "
            "%b short month name): keep the conversions."
        )
    else:
        conv = PRINTF.findall(text)
        if conv:
            notes.append(
                "printf conversions %s: keep the same ones in the same order "
                "(their width is part of the layout)." % " ".join(conv)
            )
    if ACCESS.search(text.replace("&&", "")):
        notes.append(
            "'&' marks the access key (the underlined letter): keep exactly one "
            "'&'; '&&' prints an ampersand."
        )
    if "\n" in text:
        notes.append("Keep the %d line break(s)." % text.count("\n"))
    if "\t" in text:
        notes.append("Tabs separate columns: keep the %d tab(s)." % text.count("\t"))
    if LAYOUT.match(text):
        notes.append(
            "Fixed layout: positions of a printed form. Keep the same count of numbers, "
            "the same width of each and single blanks between them."
        )
    return notes


def read_table(root):
    core = os.path.join(root, "src", "core")
    entries = []
    seen = {}
    with open(os.path.join(core, "strings_all.def"), encoding="utf-8") as f:
        files = [m.group(1) for m in map(INCLUDE.match, f) if m]
    for name in files:
        with open(os.path.join(core, name), encoding="utf-8") as f:
            lines = f.read().split("\n")
        note = None
        skip = False
        for lineno, line in enumerate(lines, 1):
            if line.startswith("ZSTR"):
                m = ZSTR.match(line)
                if not m:
                    raise SystemExit("%s:%d: not a ZSTR line the template can read" % (name, lineno))
                number = int(m.group(2))
                if number in seen:
                    raise SystemExit("%s:%d: number %d used twice" % (name, lineno, number))
                seen[number] = True
                text = unescape(m.group(3))
                if text and not skip:
                    entries.append((number, m.group(1), text, "src/core/%s:%d" % (name, lineno), note))
                note, skip = None, False
            elif NOTE.match(line):
                note = NOTE.match(line).group(1)
            elif SKIP.match(line):
                skip = True
            elif not line.startswith("//"):
                note, skip = None, False
    return entries


def template(root):
    out = [HEADER]
    for number, name, text, where, note in read_table(root):
        out.append("")
        notes = ([note] if note else []) + comments(number, text)
        out.extend("#. " + n for n in notes)
        out.append("#: " + where)
        if STRFTIME.search(text) or not PRINTF.search(text):
            flag = "qt-format" if ARG.search(text) else None
        else:
            flag = "c-format"
        if flag:
            out.append("#, " + flag)
        out.append('msgctxt "%d"' % number)
        out.append("msgid " + po_quote(text))
        out.append('msgstr ""')
    return "\n".join(out) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--root", default=os.path.dirname(here))
    p.add_argument("--output", default=os.path.join(here, "zarim.pot"))
    p.add_argument("--check", action="store_true")
    a = p.parse_args()
    text = template(a.root)
    if a.check:
        try:
            with open(a.output, encoding="utf-8") as f:
                current = f.read()
        except OSError:
            current = None
        if current != text:
            sys.stderr.write("%s is not up to date: run po/extract.py\n" % a.output)
            return 1
        return 0
    with open(a.output, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
