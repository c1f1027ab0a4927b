#!/usr/bin/env python3
"""Independent audit of a ZARIM data folder.

Reads the folder's data files straight from their byte layout (docs/data-format.md), works
out what each report, list and export must show by the program's rules, and compares that
cell by cell with what `zarim-cli` prints. Nothing here goes through the program's own
code except the command-line output being checked.

usage: audit.py --cli ZARIM_CLI --data FOLDER --today YYYY-MM-DD [--only SECTION,...]
Prints, per report, the cells compared and every mismatch; exits 1 on any mismatch.
"""

import argparse
import json
import os
import struct
import subprocess
import sys

SCRAMBLE_BASE = 174
GROUP_KEY = b"Zr9GroupK$"
REC = 816
SWITCH_SERIAL = 284  # September 2023: later months use the "Shared in Ministry" form
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]
SHORT = [m[:3] for m in MONTHS]
TICK = "\u221a"


def round_half_up(total, count):
    if not count:
        return 0
    q, r = divmod(total, count)
    return q + 1 if r * 10 >= (count * 10) // 2 else q


def cp(b):
    return b.decode("cp1252", errors="replace")


def unscramble_text(field, keep_cc_upto):
    """A scrambled text of a publisher record: read to the last non-zero byte, each byte
    shifted back by its position plus the base; 0xCC stays in the first keep_cc_upto bytes."""
    end = len(field)
    while end > 0 and field[end - 1] == 0:
        end -= 1
    out = bytearray()
    for i, c in enumerate(field[:end]):
        if c == 0xCC and i < keep_cc_upto:
            out.append(c)
        else:
            out.append((c - i - SCRAMBLE_BASE) % 256)
    z = out.find(0)
    return cp(bytes(out[:z] if z >= 0 else out))


def cstr(b):
    z = b.find(0)
    return cp(b[:z] if z >= 0 else b)


class Person:
    def __init__(self, raw):
        self.raw = raw
        self.first = unscramble_text(raw[2:23], 21)
        self.last = unscramble_text(raw[23:44], 21)
        self.address = unscramble_text(raw[44:107], 30)
        self.home = unscramble_text(raw[107:122], 0)
        self.mobile = unscramble_text(raw[122:137], 0)
        self.work = unscramble_text(raw[137:152], 0)
        self.baptism = unscramble_text(raw[152:161], 0)
        self.birth = unscramble_text(raw[161:170], 0)
        self.consent_date = cstr(raw[170:179])
        self.consent = raw[179]
        self.hope = chr(raw[180])
        self.group = struct.unpack_from("<b", raw, 181)[0]
        (self.id, self.ext_key, self.emergency_key, self.household, self.needs_key,
         self.stamp, self.service, self.circ, self.linked) = struct.unpack_from("<9H", raw, 182)
        self.status = raw[200]
        self.status_month = raw[201]
        self.status_year = raw[238]
        self.flags = raw[239]
        self.remarks = {}  # (month, slot) -> text

    def cell(self, field, m, s):
        return struct.unpack_from("<H", self.raw, 240 + 72 * field + 6 * m + 2 * s)[0]

    def hours(self, m, s):
        return self.cell(2, m, s)

    def studies(self, m, s):
        return self.cell(4, m, s) & 0x3FF

    def quarters(self, m, s):
        return (self.cell(4, m, s) >> 12) & 0xF

    def shared(self, m, s):
        return bool(self.cell(4, m, s) & 0x800)

    def has_time(self, m, s):
        return self.hours(m, s) > 0 or self.quarters(m, s) > 0

    def reported(self, m, s):
        return self.has_time(m, s) or self.shared(m, s)

    def pioneer(self, m, s):
        return self.raw[202 + 3 * m + s] & 3

    def credit(self, m, s):
        return struct.unpack_from("<H", self.raw, 672 + 6 * m + 2 * s)[0]

    def late_marker(self, m, s):
        return self.raw[780 + 3 * m + s]

    @property
    def special_servant(self):
        return bool(self.service & 0x80)

    @property
    def missionary(self):
        return bool(self.service & 0x100)

    @property
    def privilege(self):
        return self.flags & 3

    @property
    def unbaptized(self):
        return len(self.baptism.strip(" ")) < 6


class Folder:
    """Everything the audit needs, read from the files of a data folder."""

    def __init__(self, path, today):
        self.path = path
        self.today_y, self.today_m, self.today_d = today
        serial = (self.today_y - 2000) * 12 + self.today_m - 2
        self.wm, self.wy, self.serial = serial % 12, serial // 12, serial
        data = self.read("tdat9.bin")
        self.header = data[:REC]
        self.people = [Person(data[i:i + REC])
                       for i in range(REC, len(data) - REC + 1, REC)]
        self.active = [p for p in self.people if p.status == 0]
        self.by_id = {p.id: p for p in self.people}
        self.read_less_than_hour()
        # The collection states share the header's other-phone field, which is scrambled
        # up to its first 0 byte like any phone text.
        self.states = list(self.header[137:149])
        for i in range(12):
            if self.states[i] == 0:
                break
            self.states[i] = (self.states[i] - i - SCRAMBLE_BASE) % 256
        self.tcard = self.read("tcard.dat") or bytes(1728)
        fmt = self.read("zrxcfg.cfg") or bytes(7)
        self.last_first, self.alt_date, self.birth_stats = fmt[0], fmt[5], fmt[6]
        self.read_groups()
        self.read_remarks()
        self.read_attendance()
        self.read_extensions()
        self.appointments = []
        appt = self.read("tappt.dat") or b""
        for i in range(0, len(appt) - 31, 32):
            pid, kind = struct.unpack_from("<HH", appt, i)
            self.appointments.append((pid, kind, cstr(appt[i + 6:i + 15]),
                                      cstr(appt[i + 15:i + 24])))
        self.cong_name = self.setting("Reports", "CongName")
        self.print_group = self.setting("PrtGrp", "Enabled") not in ("", "0")
        self.late = self.late_list()

    def read(self, name):
        try:
            with open(os.path.join(self.path, name), "rb") as f:
                return f.read()
        except OSError:
            return None

    def setting(self, section, key):
        text = self.read("zarim.ini")
        if not text:
            return ""
        current = None
        for line in cp(text).splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1].lower()
            elif current == section.lower() and "=" in line:
                k, v = line.split("=", 1)
                if k.strip().lower() == key.lower():
                    return v
        return ""

    def read_less_than_hour(self):
        """Reports of less than one hour (old-form months) are kept apart in tlt15.dat; a
        mark counts where the month holds no hours and no quarter hours."""
        raw = self.read("tlt15.dat") or b""
        for i in range(0, len(raw) - 31, 32):
            p = self.by_id.get(struct.unpack_from("<H", raw, i)[0])
            if p is None:
                continue
            for m in range(12):
                for s in range(2):
                    if raw[i + 2 + 2 * m + s] == 1 and not p.has_time(m, s):
                        off = 240 + 72 * 4 + 6 * m + 2 * s
                        cell = struct.unpack_from("<H", p.raw, off)[0] | 0x800
                        p.raw = p.raw[:off] + struct.pack("<H", cell) + p.raw[off + 2:]

    def read_groups(self):
        raw = self.read("bkstudy.dat")
        self.groups = []
        if not raw or len(raw) < 2141:
            return

        def text(off, size, g):
            b = bytearray(raw[off + size * g: off + size * (g + 1)])
            i = 0
            while i < len(b) and b[i]:
                k = GROUP_KEY[i % 10]
                if b[i] != k:
                    b[i] ^= k
                i += 1
            return cstr(bytes(b))

        for g in range(min(raw[0], 20)):
            self.groups.append({"overseer": text(1, 24, g), "assistant": text(481, 24, g),
                                "name": text(1441, 24, g), "use_name": raw[2121 + g]})

    def read_remarks(self):
        raw = self.read("remark9.dat") or b""
        for i in range(48, len(raw) - 47, 48):
            text = cp(raw[i:i + 43].split(b"\0")[0]).strip(" ")
            month, slot = raw[i + 44], raw[i + 45] % 2
            pid = struct.unpack_from("<H", raw, i + 46)[0]
            # Remarks belong to identifiers from 10 on; the later record of a month wins.
            if month == 0 or month > 12 or pid < 10 or not text or pid not in self.by_id:
                continue
            self.by_id[pid].remarks[(month - 1, slot)] = text

    def read_attendance(self):
        raw = self.read("meetin9.dat") or bytes(1344)
        self.meetings = []
        for b in range(2):
            blk = raw[672 * b:672 * (b + 1)]
            if len(blk) < 672:
                blk = bytes(672)

            def arr(off, blk=blk):
                return lambda m, s: struct.unpack_from("<H", blk, off + 6 * m + 2 * s)[0]
            self.meetings.append({"num": arr(456), "tot": arr(528), "avg": arr(600),
                                  "weeks": [arr(96 + 72 * w) for w in range(5)]})

    def read_extensions(self):
        raw = self.read("xten7.dat") or b""
        self.ext = {}
        for i in range(192, len(raw) - 191, 192):
            key = struct.unpack_from("<H", raw, i)[0]
            if key:
                self.ext[i // 192] = {"key": key,
                                      "long": unscramble_text(raw[i + 2:i + 67], 0),
                                      "email": unscramble_text(raw[i + 67:i + 118], 0),
                                      "other": unscramble_text(raw[i + 118:i + 190], 0)}

    # Month arithmetic: slot is the calendar year's parity; months after the working month
    # in the twelve-month window belong to the previous year.
    def slot(self, m):
        return self.wy % 2 if m <= self.wm else (self.wy - 1) % 2

    def year_of(self, m):
        return 2000 + self.wy if m <= self.wm else 1999 + self.wy

    def back(self, n, start_back=0):
        """The working month and the n - 1 months before it, as (month, slot, year)."""
        out = []
        serial = self.serial - start_back
        for _ in range(n):
            out.append((serial % 12, (serial // 12) % 2, 2000 + serial // 12))
            serial -= 1
        return out

    def service_months(self):
        n = self.wm + 5 if self.wm <= 7 else self.wm - 7
        return self.back(n)

    def open_month(self):
        return self.states[self.wm] == 1

    def tcard_value(self, m, j, s):
        return struct.unpack_from("<H", self.tcard, ((m * 36 + j) * 2 + s) * 2)[0]

    def display(self, p, last_first=None):
        lf = self.last_first if last_first is None else last_first
        return "%s, %s" % (p.last, p.first) if lf else "%s %s" % (p.first, p.last)

    def late_list(self):
        out = []
        m, s = self.wm, self.wy % 2
        for _ in range(6):
            if m == 0:
                m, s = 11, 1 - s
            else:
                m -= 1
            for p in self.people:
                if p.status == 0 and p.late_marker(m, s) == self.wm + 1:
                    out.append((p.id, m, s))
        return out[:200]

    # Status rules ------------------------------------------------------------------
    def months_since_status(self, p, mask):
        if not (p.status_month & 0xF & mask):
            return 6
        status_m = p.status_month >> 4
        count, reached = 0, False
        for (m, s, _y) in self.back(6):
            count += 1
            if m + 1 == status_m:
                reached = True
            if reached:
                pm, ps = (11, 1 - s) if m == 0 else (m - 1, s)
                if not p.has_time(pm, ps):
                    break
        return count

    def missing_mask(self, p):
        n = self.months_since_status(p, 7)
        mask = 0
        for i, (m, s, _y) in enumerate(self.back(n)):
            if i == 0 and self.open_month():
                continue
            if p.pioneer(m, s) == 3:
                continue
            if not p.reported(m, s):
                mask |= 1 << m
        return mask

    def months_active(self, p):
        if p.status_month & 0xF & 3:
            return self.months_since_status(p, 3)
        return 6


# ------------------------------------------------------------------------------------
class Audit:
    def __init__(self, cli, folder, today_text):
        self.cli, self.f, self.today_text = cli, folder, today_text
        self.counts = {}  # report -> [cells, mismatches]
        self.shown = 0

    def run(self, *args):
        cmd = [self.cli, "--data", self.f.path, "--today", self.today_text] + list(args)
        r = subprocess.run(cmd, capture_output=True)
        if r.returncode != 0:
            raise RuntimeError("%s: exit %d: %s" % (" ".join(args), r.returncode,
                                                    r.stderr.decode(errors="replace")))
        return r.stdout.decode("utf-8")

    def json(self, *args):
        return json.loads(self.run(*(list(args) + ["--json"])))

    def check(self, report, where, expected, actual):
        c = self.counts.setdefault(report, [0, 0])
        c[0] += 1
        if expected != actual:
            c[1] += 1
            if self.shown < 400:
                print("  MISMATCH %s / %s: expected %r, zarim-cli %r"
                      % (report, where, expected, actual))
            self.shown += 1

    def check_row(self, report, where, expected, actual):
        """Compares two rows cell by cell; missing trailing cells count as empty and an
        expected None is a cell this audit does not work out."""
        n = max(len(expected), len(actual))
        e = list(expected) + [""] * (n - len(expected))
        a = list(actual) + [""] * (n - len(actual))
        for i in range(n):
            if e[i] is not None:
                self.check(report, "%s[%d]" % (where, i), e[i], a[i])

    def check_rows(self, report, expected, actual):
        self.check(report, "row count", len(expected), len(actual))
        for i, (e, a) in enumerate(zip(expected, actual)):
            self.check(report, "row %d kind" % i, e[0], a["kind"])
            self.check_row(report, "row %d %s" % (i, (e[1] or [""])[0]), e[1], a["cells"])

    # Report to the branch office ---------------------------------------------------
    def branch_rows(self):
        f = self.f
        rows = [[0] * 9 for _ in range(4)]

        def add(row, p, m, s):
            rows[row][8] += 1
            fields = (4,) if row == 0 else (0, 1, 2, 3, 4)
            for k in fields:
                rows[row][k] += p.studies(m, s) if k == 4 else p.cell(k, m, s)

        for p in f.active:
            if p.special_servant or p.missionary:
                continue
            for (pid, m, s) in f.late:
                if pid == p.id and p.reported(m, s) and p.pioneer(m, s) < 3:
                    add(p.pioneer(m, s), p, m, s)
            m, s = f.wm, f.wy % 2
            if p.reported(m, s):
                add(p.pioneer(m, s), p, m, s)
        rows[0][5] = len(f.active)
        return rows

    def branch_table(self):
        """The report to the branch office as the analysis and the branch page draw it."""
        rows = self.branch_rows()
        out = []
        labels = ["Pubs", "AuxP", "Pios"]
        for r, label in enumerate(labels):
            hours = "" if r == 0 else "%6d" % rows[r][2]
            out.append((label, "%4d" % rows[r][8], "%6d" % rows[r][4], hours))
        tot = ["Totals", "%4d" % sum(rows[r][8] for r in range(3)),
               "%6d" % sum(rows[r][4] for r in range(3)),
               "%6d" % sum(rows[r][2] + rows[r][7] // 4 for r in range(3))]
        out.append(tuple(tot))
        return out

    def audit_branch(self):
        f = self.f
        got = self.json("report", "branch")
        self.check("branch", "title", "%s Report to the Branch Office - %d Active publishers"
                   % (MONTHS[f.wm], len(f.active)), got["title"])
        exp = []
        for i, (label, shared, studies, hours) in enumerate(self.branch_table()):
            exp.append(("total" if i == 3 else "text",
                        [label, shared.strip(), hours.strip(), studies.strip()]))
        self.check_rows("branch", exp, got["rows"])
        # The stored totals of an open working month are the working totals.
        if f.open_month():
            rows = self.branch_rows()
            for r in range(4):
                for k in range(9):
                    self.check("branch", "stored totals row %d field %d" % (r, k), rows[r][k],
                               f.tcard_value(f.wm, 9 * r + k, f.wy % 2))

    # Congregation and group analysis ------------------------------------------------
    def three_six(self, status, n, group=0):
        """Average hours of the reported months of a pioneer status over the last n months."""
        f = self.f
        total = count = q = 0
        for (m, s, _y) in f.back(n):
            for p in f.active:
                if group and p.group != group:
                    continue
                if status != 15 and p.pioneer(m, s) != status:
                    continue
                if not p.reported(m, s):
                    continue
                total += p.hours(m, s)
                q += p.quarters(m, s)
                count += 1
        if not count:
            return 0.0
        return (total + q // 4 + (1 if q % 4 == 3 else 0)) / count

    def cell_average(self, status, n, field):
        f = self.f
        total = count = q = 0
        for (m, s, _y) in f.back(n):
            for p in f.active:
                if p.pioneer(m, s) != status or not p.reported(m, s):
                    continue
                total += p.studies(m, s) if field == 4 else p.cell(field, m, s)
                if field == 2:
                    q += p.quarters(m, s)
                count += 1
        if not count:
            return 0.0
        if field == 2:
            total += q // 4 + (1 if q % 4 == 3 else 0)
        return total / count

    def publisher_cells(self, p, m, s):
        code = p.pioneer(m, s)
        rep = p.reported(m, s)
        st = p.studies(m, s)
        hrs = p.hours(m, s) if code in (1, 2, 3) else 0
        return [TICK if rep else "", "%4d" % st if st else "", TICK if code == 1 else "",
                "%4d" % hrs if hrs else ""]

    def analysis_rows(self, kind, group=0):
        f = self.f
        m, s = f.wm, f.wy % 2
        if kind == 1:
            pioneers = [p for p in f.active if p.pioneer(m, s) >= 2]
            order = [("Regular and Special Pioneers", pioneers)]
            for g in range(1, len(f.groups) + 1):
                order.append(("  Group %d" % g, [p for p in f.active
                                                 if p.group == g and p.pioneer(m, s) <= 1]))
            unassigned = [p for p in f.active if p.group == 0 and p.pioneer(m, s) <= 1]
            if unassigned:
                order.append(("Unassigned Publishers", unassigned))
        elif kind == 110:
            order = [(None, list(f.active))]
        else:
            order = [(None, [p for p in f.active if p.group == group])]
        rows = []
        listed = [0] * 4
        missing = [0] * 4
        irregular = [0] * 4
        studies = [0] * 4
        hours = [0] * 4
        aux = unbapt = servants = missionaries = 0
        for heading, people in order:
            if heading is not None:
                rows.append(("heading", [heading]))
            for p in people:
                code = p.pioneer(m, s)
                mark = "§" if p.unbaptized else ""
                role = ""
                if code == 2:
                    role = "p"
                if code == 3:
                    role = "sp"
                if p.missionary:
                    role = "m"
                mark += role
                if mark:
                    mark += " "
                if p.special_servant:
                    mark += "+"
                outside = p.special_servant or p.missionary
                if not (code == 0 and outside):
                    listed[code] += 1
                if not p.reported(m, s):
                    mark += "#"
                    if not (code == 0 and outside):
                        missing[code] += 1
                if f.missing_mask(p):
                    mark += "i"
                    irregular[code] += 1
                if p.unbaptized:
                    unbapt += 1
                if code == 1:
                    aux += 1
                if p.special_servant:
                    servants += 1
                if p.missionary:
                    missionaries += 1
                if not outside:
                    studies[code] += p.studies(m, s)
                    if code:
                        hours[code] += p.hours(m, s)
                rows.append(("publisher", [f.display(p), mark] + self.publisher_cells(p, m, s)))
                if (m, s) in p.remarks:
                    rows.append(("remark", [p.remarks[(m, s)]]))
                for (pid, lm, ls) in f.late:
                    if pid == p.id:
                        rows.append(("late", ["*  %s (" % MONTHS[lm], ""]
                                     + self.publisher_cells(p, lm, ls) + [")"]))
        total = sum(len(pp) for _h, pp in order)
        return rows, dict(listed=listed, missing=missing, irregular=irregular, studies=studies,
                          hours=hours, aux=aux, unbapt=unbapt, servants=servants,
                          missionaries=missionaries, total=total,
                          all_missing=sum(1 for _h, pp in order for p in pp
                                          if not p.reported(m, s)))

    def totals_rows(self, c, summary, group=0):
        rows = []
        for code, label in enumerate(["Pubs", "AuxP", "Pios", "Sp.Pios"]):
            r = c["listed"][code] - c["missing"][code]
            if r == 0:
                continue
            st = "%6.1f" % (c["studies"][code] / r)
            hr = "%6.1f" % (c["hours"][code] / r) if code else ""
            if summary:
                avg = "%7.1f/%4.1f" % (self.three_six(code, 3, group),
                                       self.three_six(code, 6, group))
                rows.append(("total", [label, "", "%4d" % r, st, hr, avg]))
            else:
                rows.append(("total", [label, "", "%4d" % r, st, "", hr]))
        if c["servants"]:
            rows.append(("total", ["Special servants (+)", "", "%4d" % c["servants"]]))
        if c["missionaries"]:
            rows.append(("total", ["Missionaries (m)", "", "%4d" % c["missionaries"]]))
        rows.append(("blank", []))
        t = c["total"]

        def pct(n):
            return "%2.0f%%" % (n * 100 / t) if t else "0%"
        rows.append(("percentage", ["", "Total Publishers", "%d" % t, ""]))
        rows.append(("percentage", ["ap", "Aux Pioneers", "%d" % c["aux"], pct(c["aux"])]))
        irr = sum(c["irregular"])
        rows.append(("percentage", ["i", "Total Irregular", "%d" % irr, pct(irr)]))
        rows.append(("percentage", ["#", "No Report This Month", "%d" % c["all_missing"],
                                    pct(c["all_missing"])]))
        rows.append(("percentage", ["§", "Unbaptized", "%d" % c["unbapt"], pct(c["unbapt"])]))
        return rows

    def meeting_rows(self):
        f = self.f
        m, s = f.wm, f.wy % 2
        title = "Meeting Attendance Report"
        if f.cong_name:
            title += " - " + f.cong_name
        rows = [("heading", [title]), ("text", [MONTHS[m]]),
                ("heading", ["", "", "Num", "Tot", "Avg", "Percentages"])]
        n = len(f.active)
        for b, name in enumerate(["Midweek Meeting", "Weekend Meeting"]):
            mt = f.meetings[b]
            avg = mt["avg"](m, s)
            pct = avg * 100 / n if n else 0
            rows.append(("text", [name, "", "%d" % mt["num"](m, s), "%d" % mt["tot"](m, s),
                                  "%d" % avg, "%6.0f%%  of  %3d" % (pct, n)]))
        return rows

    def audit_analysis(self):
        f = self.f
        cong = (" - " + f.cong_name) if f.cong_name else ""
        for kind, name in ((1, "analysis"), (110, "analysis-az"), (3, "summary")):
            got = self.json("report", name)
            rows, c = self.analysis_rows(1 if kind == 3 else kind)
            if kind == 3:
                rows = []
                title = "%s Report Summary%s" % (MONTHS[f.wm], cong)
            else:
                title = "Congregation Analysis for %s%s" % (MONTHS[f.wm], cong)
            self.check(name, "title", title, got["title"])
            rows += self.totals_rows(c, kind == 3)
            rows.append(("blank", []))
            rows.append(("text", ["%s Report to the Branch Office - %d Active publishers"
                                  % (MONTHS[f.wm], len(f.active))]))
            if kind == 3:
                rows.append(("heading", ["", "", "Shared", "Bi.St.", "Hours"]))
                for label, sh, st, hr in self.branch_table():
                    rows.append(("total", [label, "", sh, st, hr]))
            else:
                rows.append(("heading", ["", "", "Shared", "Bi.St.", "", "Hours"]))
                for label, sh, st, hr in self.branch_table():
                    rows.append(("total", [label, "", sh, st, "", hr]))
            rows.append(("blank", []))
            rows += self.meeting_rows()
            self.check_rows(name, rows, got["rows"])
        for g in range(1, len(f.groups) + 1):
            members = [p for p in f.active if p.group == g]
            if not members:
                continue
            got = self.json("report", "group-analysis", "--group", str(g))
            grp = f.groups[g - 1]
            if grp["use_name"] and grp["name"]:
                title = "%s Report for %s" % (MONTHS[f.wm], grp["name"])
            else:
                title = "%s Report for Group # %d" % (MONTHS[f.wm], g)
            self.check("group-analysis", "title g%d" % g, title, got["title"])
            rows, c = self.analysis_rows(2, g)
            rows += self.totals_rows(c, False, g)
            inactive = [p for p in f.people if p.status == 1 and p.group == g]
            if inactive:
                rows.append(("blank", []))
                rows.append(("text", ["%d" % len(inactive), "Inactive Publishers"]))
                names = [f.display(p) for p in inactive]
                for i in range(0, len(names), 3):
                    rows.append(("text", names[i:i + 3]))
            rows.append(("blank", []))
            rows += self.meeting_rows()
            self.check_rows("group-analysis", rows, got["rows"])


    # Statistics and averages ---------------------------------------------------------
    def avg_cells(self, p):
        f = self.f
        ma = f.months_active(p)
        out = []
        months6 = f.back(6)
        rep = [sum(1 for (m, s, _y) in months6[:n] if p.reported(m, s)) for n in (3, 6)]
        out.append("%d / %d" % tuple(rep))

        def study_avg(n):
            return sum(p.studies(m, s) for (m, s, _y) in f.back(n)) / n if n else 0.0
        n3, n6 = min(ma, 3), min(ma, 6)
        out.append("%6.1f/%4.1f" % (study_avg(n3), study_avg(n6)))
        aux = [sum(1 for (m, s, _y) in months6[:n] if p.pioneer(m, s) == 1) for n in (3, 6)]
        out.append("%d / %d" % tuple(aux) if aux[1] else "")

        def pioneer_hours(n):
            total = months = 0
            for (m, s, _y) in f.back(n):
                if p.pioneer(m, s) != 0:
                    total += p.hours(m, s)
                    if p.hours(m, s) > 0:
                        months += 1
            return total / months if months else 0.0
        h3 = pioneer_hours(n3)
        out.append("%6.1f/%4.1f" % (h3, pioneer_hours(n6)) if h3 >= 0.01 else "")
        return out

    def subtitle(self, base):
        if self.f.cong_name:
            return base + " - " + self.f.cong_name
        return base

    def audit_averages(self):
        f = self.f
        m, s = f.wm, f.wy % 2
        kinds = [("averages", None, lambda p: True, ""),
                 ("averages-pioneers", None, lambda p: p.pioneer(m, s) == 2, "Regular pioneer"),
                 ("averages-elders", None, lambda p: p.privilege == 2, "Elder"),
                 ("averages-servants", None, lambda p: p.privilege == 1, "Ministerial servant"),
                 ("averages-brothers", None, lambda p: p.privilege == 3, "Baptized brother")]
        for g in range(1, len(f.groups) + 1):
            kinds.append(("averages-group", g, (lambda g: lambda p: p.group == g)(g), None))
        for name, group, keep, filter_name in kinds:
            args = ["report", name] + (["--group", str(group)] if group else [])
            got = self.json(*args)
            self.check(name, "title", "Averages for Three/Six Months ending in " + MONTHS[m],
                       got["title"])
            if group:
                subtitle = self.group_name(group)
            else:
                subtitle = self.subtitle(" - ".join(x for x in ("Congregation", filter_name) if x))
            self.check(name, "subtitle", subtitle, got["subtitle"])
            rows = [("publisher", [f.display(p)] + self.avg_cells(p)) for p in f.active if keep(p)]
            self.check_rows(name, rows, got["rows"])

    def service_year_cells(self, p):
        months = self.f.service_months()
        shared = sum(1 for (m, s, _y) in months if p.reported(m, s))
        studies = sum(p.studies(m, s) for (m, s, _y) in months)
        aux = sum(1 for (m, s, _y) in months if p.pioneer(m, s) == 1)
        hours = sum(p.hours(m, s) for (m, s, _y) in months)
        hours += sum(p.quarters(m, s) for (m, s, _y) in months) // 4
        return shared, studies, aux, hours

    def audit_service_year(self):
        f = self.f
        m, s = f.wm, f.wy % 2
        for name, keep, subtitle in (
                ("service-year", lambda p: True, "Congregation"),
                ("service-year-pioneers", lambda p: p.pioneer(m, s) == 2, "Regular pioneers"),
                ("service-year-elders-servants", lambda p: p.privilege in (1, 2),
                 "Elders & Ministerial Servants")):
            got = self.json("report", name)
            self.check(name, "title", "Totals for Service Year  September - " + MONTHS[m],
                       got["title"])
            self.check(name, "subtitle", subtitle, got["subtitle"])
            rows = []
            tot = [0, 0, 0]
            for p in f.active:
                if not keep(p):
                    continue
                cells = self.service_year_cells(p)
                tot = [tot[0] + cells[1], tot[1] + cells[2], tot[2] + cells[3]]
                rows.append(("publisher", [f.display(p)] + ["%d" % v if v else "" for v in cells]))
            rows.append(("total", ["Totals", "", "%d" % tot[0], "%d" % tot[1], "%d" % tot[2]]))
            self.check_rows(name, rows, got["rows"])

    def pioneer_start(self, p, months):
        """First month of the unbroken regular pioneering that ends the given months
        (newest first); September when it runs through the whole service year."""
        for i, (m, s, y) in enumerate(months):
            if p.pioneer(m, s) != 2:
                return months[i - 1] if i else None
        return months[-1]

    def audit_pioneer_hours(self):
        f = self.f
        wm, ws = f.wm, f.wy % 2
        ends = 2000 + f.wy if wm <= 7 else 2001 + f.wy
        req = 70 if ends < 2023 else 50
        got = self.json("report", "pioneer-hours")
        rows, star = [], False
        for p in f.active:
            if p.pioneer(wm, ws) != 2:
                continue
            start = self.pioneer_start(p, f.service_months())
            sm = start[0]
            enrolled = 20 - sm if sm >= 8 else 8 - sm
            elapsed = (wm - sm) % 12 + 1
            window = f.back(elapsed)
            h = sum(p.hours(m, s) for (m, s, _y) in window)
            k = sum(p.credit(m, s) for (m, s, _y) in window)
            remain = max(0, enrolled * req - h - k)
            left = 7 - wm if wm <= 6 else 19 - wm
            per = "%4.1f" % (remain / left if remain and left > 0 else 0) if wm != 7 else ""
            name = f.display(p) + (" *" if sm != 8 else "")
            star = star or sm != 8
            rows.append(("publisher", [name, "%d" % h, "%d" % k, "%d" % (h + k),
                                       "%4.1f" % ((h + k) / elapsed), "%d" % remain, per]))
            self.audit_pioneer_ytd(p, req)
        if star:
            rows.append(("blank", []))
            rows.append(("text", [" * Enrolled as pioneer in October or later."]))
        self.check_rows("pioneer-hours", rows, got["rows"])

    def audit_pioneer_ytd(self, p, req):
        """The year-to-date view of one regular pioneer, this service year and the last."""
        f = self.f
        for previous in (False, True):
            if previous:
                months = f.back(12, f.wm - 7 if f.wm >= 8 else f.wm + 5)
            else:
                months = f.service_months()
            text = self.run("pioneer-ytd", str(p.id), *(["--previous"] if previous else []))
            lines = text.splitlines()
            report = "pioneer-ytd --previous" if previous else "pioneer-ytd"
            self.check(report, "name %d" % p.id, f.display(p), lines[0] if lines else "")
            start = self.pioneer_start(p, months)
            if start is not None:
                self.check(report, "since %d" % p.id,
                           "Pioneer since %s %d" % (MONTHS[start[0]], start[2]),
                           lines[1] if len(lines) > 1 else "")
            shown = list(reversed(months))
            body = [l.split("\t") for l in lines[3:3 + len(shown)]]
            th = tk = 0
            for i, (m, s, y) in enumerate(shown):
                h, k = p.hours(m, s), p.credit(m, s)
                th += h
                tk += k
                self.check_row(report, "%d %s" % (p.id, SHORT[m]),
                               [MONTHS[m], "%d" % h, "%d" % k, "%d" % (h + k)],
                               body[i] if i < len(body) else [])
            tail = lines[3 + len(shown):]
            self.check_row(report, "%d totals" % p.id,
                           ["Totals", "%d" % th, "%d" % tk, "%d" % (th + tk)],
                           tail[0].split("\t") if tail else [])
            if previous or f.wm == 7 or start is None:
                self.check(report, "%d no remaining lines" % p.id, 1, len(tail))
                continue
            # What remains counts, like the pioneer hours report, the months since the
            # pioneering began; the table above lists the whole service year.
            sm = start[0]
            enrolled = 20 - sm if sm >= 8 else 8 - sm
            window = f.back((f.wm - sm) % 12 + 1)
            done = sum(p.hours(m, s) + p.credit(m, s) for (m, s, _y) in window)
            remain = max(0, enrolled * req - done)
            left = 7 - f.wm if f.wm <= 6 else 19 - f.wm
            year = 2000 + f.wy if f.wm <= 7 else 2001 + f.wy
            self.check_row(report, "%d remaining" % p.id,
                           ["Total Hours Remaining ( %d ) = %d" % (year, remain),
                            "Average Hours Remaining Each Month ( %d ) = %.1f"
                            % (year, remain / left if remain and left > 0 else 0)], tail[1:])


    def attendance_average(self, meeting, n):
        """Average of the non-zero weekly figures of the last n months, rounded half up;
        0 when one of those months has no attendance at all."""
        mt = self.f.meetings[meeting]
        total = count = 0
        for (m, s, _y) in self.f.back(n):
            if mt["tot"](m, s) == 0:
                return 0
            for w in mt["weeks"]:
                if w(m, s):
                    total += w(m, s)
                    count += 1
        return round_half_up(total, count)

    def audit_statistics(self):
        f = self.f
        m, s = f.wm, f.wy % 2
        got = self.json("report", "statistics")
        cong = (" - " + f.cong_name) if f.cong_name else ""
        self.check("statistics", "title", "Congregation Statistics at end of %s%s"
                   % (MONTHS[m], cong), got["title"])
        n = len(f.active)

        def pct(k):
            return "%2.0f%%" % (k * 100 / n) if n else " 0%"
        regular = sum(1 for p in f.active if not f.missing_mask(p))
        baptized = sum(1 for p in f.active if not p.unbaptized)
        rows = [("text", ["Active publishers", "%d" % n, ""]),
                ("text", ["Regular publishers", "%d" % regular, pct(regular)]),
                ("text", ["Baptized publishers", "%d" % baptized, pct(baptized)]),
                ("text", ["Regular pioneers",
                          "%d" % sum(1 for p in f.active if p.pioneer(m, s) == 2), ""]),
                ("text", ["Elders", "%d" % sum(1 for p in f.active if p.privilege == 2), ""]),
                ("text", ["Ministerial servants",
                          "%d" % sum(1 for p in f.active if p.privilege == 1), ""])]
        specials = sum(1 for p in f.active if p.pioneer(m, s) == 3)
        if specials:
            rows.append(("text", ["Special Pioneers", "%d" % specials, ""]))
        rows.append(("blank", []))
        rows.append(("heading", ["", SHORT[m], "SixMo", "SvcYr"]))

        def aux_in(months):
            return sum(1 for p in f.active
                       if any(p.pioneer(mm, ss) == 1 for (mm, ss, _y) in months))
        rows.append(("text", ["Aux Pioneers", "%d" % aux_in(f.back(1)), "%d" % aux_in(f.back(6)),
                              "%d" % aux_in(f.service_months())]))
        def events(flag):
            return ["%d" % sum(1 for p in f.active if self.status_event_month(p, flag, 0) == m + 1),
                    "%d" % sum(1 for p in f.active if self.status_event_month(p, flag, 0)),
                    "%d" % sum(1 for p in f.active if self.status_event_month(p, flag, 1))]
        rows.append(("text", ["New Publishers"] + events(1)))
        rows.append(("text", ["Inactive Publishers"] + ["%d" % n for n in self.inactive_counts()]))
        rows.append(("text", ["Reactivated Publishers"] + events(2)))
        rows.append(("text", ["Moveouts"] + ["%d" % n for n in self.moveout_counts()]))
        svc = len(f.service_months())
        cats = [("Pubs", 0), ("Pios", 2), ("AuxP", 1)]
        if f.serial > SWITCH_SERIAL:
            cats = cats[1:]
        for label, code in cats:
            rows.append(("text", ["AvgHrs ( %s )" % label] + ["%3.1f" % self.three_six(code, k)
                                                          for k in (1, 6, svc)]))
        rows.append(("blank", []))
        if f.birth_stats:
            rows += self.birth_baptism_rows()
            rows.append(("blank", []))
        rows.append(("heading", ["Meeting Attendance", SHORT[m], "3-Mon", "6-Mon", "SvcYr"]))
        for b, name in enumerate(["Midweek Meeting", "Weekend Meeting"]):
            rows.append(("text", [name, "%d" % f.meetings[b]["avg"](m, s)]
                         + ["%d" % self.attendance_average(b, k) for k in (3, 6, svc)]))
        rows.append(("blank", []))
        rows.append(("heading", ["Averages for Six Months ending in " + MONTHS[m]]))
        new_form = f.serial > SWITCH_SERIAL
        if new_form:
            rows.append(("heading", ["", "", "", "Hours", "", "Bi.St."]))
        else:
            rows.append(("heading", ["", "Plcmts", "Videos", "Hours", "R.V.s", "Bi.St."]))
        for label, code in (("Publishers", 0), ("Auxiliary pioneers", 1), ("Regular pioneers", 2)):
            cells = ["%3.1f" % self.cell_average(code, 6, k) for k in range(5)]
            if new_form:
                cells[0] = cells[1] = cells[3] = ""
                if code == 0:
                    cells[2] = ""
            rows.append(("text", [label] + cells))
        self.check_rows("statistics", rows, got["rows"])


    # Publisher record cards ----------------------------------------------------------
    def card_rows(self, p, ends):
        """One service-year table of a card (the year that ends in August of `ends`): the
        "Shared in Ministry" form from the year ending in 2024 on, the older form before."""
        f = self.f
        old = ends < 2024
        if old:
            head = ["Placements", "Video Showings", "Hours", "Return Visits", "Bible Studies"]
        else:
            head = ["Shared in Ministry", "Bible Studies", "Auxiliary pioneer",
                    "Hours (If\u00a0pioneer or field missionary)"]
        rows = [("text", ["Service Year %d" % ends] + head + ["Remarks"])]
        sums = [0] * 5
        quarters = kept = 0
        for i in range(12):
            m = (8 + i) % 12
            year = ends - 1 if m >= 8 else ends
            label = SHORT[m] if m not in (8, 0) else "%d    %s" % (year, SHORT[m])
            serial = (year - 2000) * 12 + m
            if not (f.serial - 24 < serial <= f.serial):
                rows.append(("publisher", [label]))
                continue
            kept += 1
            sl = (year - 2000) % 2
            values = [p.studies(m, sl) if k == 4 else p.cell(k, m, sl) for k in range(5)]
            sums = [a + b for a, b in zip(sums, values)]
            quarters += p.quarters(m, sl)
            remark = p.remarks.get((m, sl), "")
            if old:
                cells = ["%d" % v if v else "" for v in values]
            else:
                cells = ["X" if p.reported(m, sl) else "", "%d" % values[4] if values[4] else "",
                         "X" if p.pioneer(m, sl) == 1 else "",
                         "%d" % values[2] if values[2] else ""]
            rows.append(("publisher", [label] + cells + [remark]))
        # Four quarter hours make one hour in the card's total, as in the service-year totals;
        # the older form's average divides those totals by the months the record still keeps
        # of that service year, up to the working month.
        sums[2] += quarters // 4
        if old:
            rows.append(("total", ["Total"] + ["%d" % v if v else "" for v in sums]))
            # A column with nothing in it is left blank, as its total is.
            rows.append(("total", ["Average"] + ["%3.1f" % (v / kept) if v and kept else ""
                                                 for v in sums]))
        else:
            rows.append(("total", ["Total", "", "%d" % sums[4] if sums[4] else "", "",
                                   "%d" % sums[2] if sums[2] else ""]))
        return rows

    def card(self, p, previous):
        f = self.f
        m, s = f.wm, f.wy % 2

        def box(label, on):
            return "%s [%s]" % (label, "X" if on else " ")

        def date(d):
            d = d.strip()
            if len(d) != 8:
                return d
            if f.alt_date and d[0:2].isdigit() and 1 <= int(d[0:2]) <= 12:
                return "%s %s %s" % (d[2:4], SHORT[int(d[0:2]) - 1], d[4:8])
            return "%s/%s/%s" % (d[0:2], d[2:4], d[4:8])
        code = p.pioneer(m, s)
        # The group's name stands on the name line only with "Show group numbers" on.
        group = self.group_name(p.group) if f.print_group and 0 < p.group <= len(f.groups) else ""
        rows = [("heading", ["Name:  " + f.display(p), group]),
                ("heading", ["Date of birth:  " + date(p.birth), box("Male", p.flags & 0x20),
                             box("Female", p.flags & 0x40)]),
                ("heading", ["Date of baptism:  " + date(p.baptism),
                             box("Other Sheep", p.hope == "O"),
                             box("Anointed", p.hope == "A")]),
                ("heading", [box("Elder", p.privilege == 2),
                             box("Ministerial servant", p.privilege == 1),
                             box("Regular pioneer", code == 2), box("Special pioneer", code == 3),
                             box("Field missionary", p.missionary)])]
        ends = 2000 + f.wy + (1 if f.wm >= 8 else 0) - (1 if previous else 0)
        rows += self.card_rows(p, ends)
        rows += self.card_rows(p, ends - 1)
        return rows

    def audit_cards(self):
        f = self.f
        for which, status in (("--active", 0), ("--inactive", 1)):
            for previous in (False, True):
                args = ["report", "cards", which] + (["--previous"] if previous else [])
                got = self.json(*args)
                rows = []
                for p in f.people:
                    if p.status == status:
                        if rows:
                            rows.append(("blank", []))
                        rows += self.card(p, previous)
                self.check_rows("cards " + which + (" --previous" if previous else ""), rows,
                                got["rows"])


    # View lists ----------------------------------------------------------------------
    def group_name(self, g):
        grp = self.f.groups[g - 1]
        return grp["name"] if grp["use_name"] and grp["name"] else "Group # %d" % g

    def group_caption(self, g):
        return "%s  -  %s" % (self.group_name(g), self.f.groups[g - 1]["overseer"])

    def phone_text(self, p):
        if p.home and p.mobile:
            return "%s\t%s" % (p.home, p.mobile)
        return p.home or p.mobile

    def check_list(self, report, args, title, lines, caption=""):
        got = self.json("view", *args)
        where = " ".join(args)
        self.check(report, where + " title", title, got["title"])
        self.check(report, where + " caption", caption, got["caption"])
        actual = [(l["id"], l["text"]) for l in got["lines"]]
        self.check(report, where + " line count", len(lines), len(actual))
        for i, (e, a) in enumerate(zip(lines, actual)):
            self.check(report, "%s line %d id" % (where, i), e[0].id, a[0])
            if e[1] is None:
                self.check(report, "%s line %d name" % (where, i), self.f.display(e[0]),
                           a[1].split("\t")[0])
            else:
                self.check(report, "%s line %d" % (where, i), e[1], a[1])

    def by_group(self, people, g):
        return [p for p in people if g == 0 or p.group == g]

    def audit_view_lists(self):
        f = self.f
        # Only the missing-report, collection-form and consent lists name the chosen group
        # and its overseer in a caption.
        for g in range(0, len(f.groups) + 1):
            cap = self.group_caption(g) if g else ""
            members = self.by_group(f.active, g)

            def line(p):
                text = f.display(p)
                if g == 0:
                    text += "  (%d)" % p.group
                return (p, "%s\t%s" % (text, self.phone_text(p)))
            for m in range(12):
                sl, year = f.slot(m), f.year_of(m)
                missing = [line(p) for p in members
                           if not p.reported(m, sl) and not p.remarks.get((m, sl))]
                self.check_list("view 0 no report", ["0", "--group", str(g), "--month", str(m + 1)],
                                "No Report for %s %d  ( %d )" % (MONTHS[m], year, len(missing)),
                                missing, cap)
            self.check_list("view 11 collection form", ["11", "--group", str(g)],
                            "Report Collection Form ( %d )" % len(members),
                            [line(p) for p in members], cap)
            irregular = []
            for p in members:
                mask = f.missing_mask(p)
                if mask:
                    text = f.display(p)
                    for m in range(12):
                        if mask & (1 << m):
                            text += "\t" + SHORT[m] + ("!" if (m, f.slot(m)) in p.remarks else "")
                    irregular.append((p, text))
            self.check_list("view 1 irregular", ["1", "--group", str(g)],
                            "Irregular Publishers ( %d )" % len(irregular), irregular)
            unbaptized = [(p, f.display(p)) for p in members if not p.baptism.strip()]
            self.check_list("view 9 unbaptized", ["9", "--group", str(g)],
                            "Unbaptized publishers ( %d )" % len(unbaptized), unbaptized)
            students = [(p, None) for p in self.by_group(
                [q for q in f.people if q.status == 2], g)]
            self.check_list("view 10 students", ["10", "--group", str(g)],
                            "Non-publishers (Bible Students) ( %d )" % len(students), students)
            consent_ids = {pid for (pid, kind, _a, _b) in f.appointments if kind == 20}
            for t, title, want in ((13, "Consent for Use of Personal Data on File", True),
                                   (14, "No Consent for Use of Personal Data on File", False)):
                rows = []
                for p in members:
                    if (p.id in consent_ids) == want:
                        d = p.consent_date.strip()
                        d = "%s/%s/%s" % (d[0:2], d[2:4], d[4:8]) if len(d) == 8 else d
                        text = f.display(p) + ("" if g else "  (%d)" % p.group)
                        rows.append((p, "%s\t%s" % (text, d)))
                self.check_list("view %d consent" % t, [str(t), "--group", str(g)],
                                "%s ( %d )" % (title, len(rows)), rows, cap)
        brackets = [("Recently Baptized", 0, 1), ("0 - 4 Yrs", 0, 4), ("5 - 9 Yrs", 5, 9),
                    ("10 - 19 Yrs", 10, 19), ("20 - 29 Yrs", 20, 29), ("30 - 39 Yrs", 30, 39),
                    ("40 - 49 Yrs", 40, 49), ("50 - 59 Yrs", 50, 59), ("Over 60 Yrs", 60, 100)]
        for b, (label, lo, hi) in enumerate(brackets):
            rows = []
            for p in f.active:
                d = p.baptism
                if len(d) < 8 or not d[4].isdigit():
                    continue
                years = f.today_y - int(d[4:8]) - (1 if int(d[0:2]) > f.today_m else 0)
                if lo <= years <= hi:
                    rows.append((p, "%s\t%s/%s/%s" % (f.display(p), d[0:2], d[2:4], d[4:8])))
            self.check_list("view 6 baptized", ["6", "--bracket", str(b)],
                            "%s ( %d )" % (label, len(rows)), rows)
        periods = [f.back(6), f.service_months(), f.back(12)]
        for period, months in enumerate(periods):
            aux = [(p, f.display(p)) for p in f.active
                   if any(p.pioneer(m, s) == 1 for (m, s, _y) in months)]
            self.check_list("view 7 auxiliary", ["7", "--period", str(period)],
                            "Auxiliary pioneers ( %d )" % len(aux), aux)
            conductors = []
            for p in f.active:
                if any(p.studies(m, s) for (m, s, _y) in months):
                    text = f.display(p)
                    if p.studies(f.wm, f.wy % 2):
                        text += "\t" + MONTHS[f.wm]
                    conductors.append((p, text))
            self.check_list("view 8 conductors", ["8", "--period", str(period)],
                            "Bible Study Conductors ( %d )" % len(conductors), conductors)
        for t, flag, label in ((2, 1, "New Publishers"), (3, 2, "Reactivated Publishers")):
            for period in range(4):
                rows = []
                for p in f.active:
                    month = self.status_event_month(p, flag, period)
                    if month:
                        year = self.status_event_year(p, month)
                        rows.append((p, "%s\t%d %s" % (f.display(p), year, MONTHS[month - 1])))
                self.check_list("view %d status" % t, [str(t), "--period", str(period)],
                                "%s ( %d )" % (label, len(rows)), rows)
        inactive = [p for p in f.people if p.status == 1]
        for period in range(5):
            rows = []
            for p in inactive:
                if self.inactive_in_period(p, period):
                    year, month = self.event_year(p), p.status_month >> 4
                    short = SHORT[month - 1] if month else ""
                    rows.append((p, "%s\t%d  %s %d" % (f.display(p), year, short, p.group)))
            self.check_list("view 4 inactive", ["4", "--period", str(period)],
                            "Inactive Publishers ( %d )" % len(rows), rows)
        # A move is kept twelve months, so its record holds only the month: the year is
        # the one that month has in the twelve months ending with the working month.
        moved = [p for p in f.people if p.status == 3]
        windows = [f.back(6), f.service_months(), f.back(12)]
        for period, months in enumerate(windows):
            in_period = {m + 1 for (m, _s, _y) in months}
            rows = []
            for p in moved:
                month = p.status_month >> 4
                if month in in_period:
                    rows.append((p, "%s\t%d %s" % (f.display(p), f.year_of(month - 1),
                                                    MONTHS[month - 1])))
            self.check_list("view 5 moveouts", ["5", "--period", str(period)],
                            "Moveouts ( %d )" % len(rows), rows)
        if any(p.circ & 7 for p in f.people):
            for c, label in enumerate(["Deaf", "Blind", "Incarcerated"]):
                rows = [(p, f.display(p)) for p in f.active if p.circ & (1 << c)]
                self.check_list("view 15 circumstances", ["15", "--circumstance", str(c)],
                                "%s ( %d )" % (label, len(rows)), rows)


    # Delimited exports ---------------------------------------------------------------
    def export(self, *args):
        """Runs one export and returns the bytes of the file it names."""
        path = self.run("export", *args).strip()
        with open(path, "rb") as fh:
            return path, fh.read()

    def compare_file(self, report, name, expected_lines, data):
        """Compares an export byte for byte, counting each field of each line as a cell."""
        expected = b"".join(expected_lines)
        self.counts.setdefault(report, [0, 0])
        actual_lines = data.split(b"\r\n")
        if actual_lines and actual_lines[-1] == b"":
            actual_lines.pop()
        actual_lines = [l + b"\r\n" for l in actual_lines]
        self.check(report, name + " line count", len(expected_lines), len(actual_lines))
        for i, (e, a) in enumerate(zip(expected_lines, actual_lines)):
            ef, af = e.split(b"\t" if b"\t" in e else b","), a.split(b"\t" if b"\t" in e else b",")
            if len(ef) != len(af) or e != a:
                self.check(report, "%s line %d" % (name, i + 1), e, a)
            else:
                for k, field in enumerate(ef):
                    self.check(report, "%s line %d field %d" % (name, i + 1, k), field, af[k])
        self.check(report, name + " whole file", expected, data)

    @staticmethod
    def field(value, sep, always_quote=False):
        """A value is written in double quotes, each quote doubled, when it must be quoted
        or holds the separator, a quote or a line break."""
        if always_quote or sep in value or '"' in value or "\n" in value or "\r" in value:
            return '"' + value.replace('"', '""') + '"'
        return value

    @staticmethod
    def line(cells, sep, trailing=True):
        text = sep.join(cells) + (sep if trailing else "")
        return (text + "\r\n").encode("cp1252")

    def captions(self, names, sep):
        """A header line whose every caption is followed by a blank and the separator."""
        return self.line(["%s " % c for c in names], sep)

    def export_date(self, d):
        d = d.strip()
        if len(d) != 8 or not d.isdigit():
            return ""
        mon = SHORT[int(d[0:2]) - 1] if 1 <= int(d[0:2]) <= 12 else ""
        if not mon:
            return ""
        if self.f.alt_date:
            return "%s %s %s" % (d[2:4], mon, d[4:8])
        return "%s %s %s" % (mon, d[2:4], d[4:8])

    def listed_name(self, p):
        ext = self.f.ext.get(p.ext_key) if p.ext_key else None
        if ext and ext["key"] and ext["long"].strip():
            return ext["long"]
        return self.f.display(p)

    def email(self, p):
        ext = self.f.ext.get(p.ext_key) if p.ext_key else None
        return (ext["email"], ext["other"]) if ext else ("", "")

    def audit_emergency_export(self):
        f = self.f
        q = self.field
        contacts, needs = {}, {}
        raw = f.read("emerg.dat") or b""
        for i in range(0, len(raw) - 255, 256):
            key = struct.unpack_from("<H", raw, i)[0]
            if key and key not in contacts:
                contacts[key] = [cstr(raw[i + 2:i + 98]), cstr(raw[i + 194:i + 210]),
                                 cstr(raw[i + 210:i + 226]), cstr(raw[i + 226:i + 242])]
        raw = f.read("spneed.dat") or b""
        for i in range(0, len(raw) - 95, 96):
            key = struct.unpack_from("<H", raw, i)[0]
            if key and key not in needs:
                needs[key] = cstr(raw[i + 2:i + 96])
        path, data = self.export("emergency")
        lines = [self.captions(("Name", "Address", "Telephone", "Mobile", "Phone 3",
                                "E-Mail", "Family Members", "3rd Party Contact",
                                "3Telephone", "3Mobile", "3Phone 3",
                                "Special Needs", "Group"), "\t")]
        for p in f.people:
            head = bool(p.flags & 0x04)
            if p.status >= 3 or not (p.status == 0 or head):
                continue
            if p.status == 0:
                name = self.listed_name(p)
            else:
                name = "%s ( %s )" % (f.display(p), "i" if p.status == 1 else "s")
            family = ", ".join(f.display(m) for m in f.people
                               if head and m is not p and m.household == p.id)
            contact = contacts.get(p.emergency_key, ["", "", "", ""]) if p.emergency_key else \
                ["", "", "", ""]
            need = needs.get(p.needs_key, "") if p.needs_key else ""
            mail, _other = self.email(p)
            lines.append(self.line([q(v, "\t") for v in [name, p.address, p.home, p.mobile, p.work,
                                                         mail, family] + contact + [need]]
                                   + ["%d" % p.group], "\t"))
        self.compare_file("export emergency", "3rdparty.tsv", lines, data)

    def audit_exports(self):
        f = self.f
        q = self.field
        self.audit_emergency_export()
        for m in range(12):
            for tab, header in ((False, m == f.wm), (True, m == f.wm)):
                sep = "\t" if tab else ","
                args = ["monthly", "--month", str(m + 1)] + (["--tab"] if tab else []) + \
                    (["--header"] if header else [])
                path, data = self.export(*args)
                lines = []
                if header:
                    lines.append(self.captions(("Name", "Group", "Pios", "Shared",
                                                "Bi.St.", "AuxP", "Hours",
                                                "Remarks", "Month", "Year",
                                                "ID"), sep))
                sl, year = f.slot(m), f.year_of(m)
                # "Shared" is 1 for every month with a report: in months of the older form
                # the hours themselves say that the publisher shared in the ministry.
                for p in f.active:
                    code = p.pioneer(m, sl)
                    lines.append(self.line([
                        q(f.display(p), sep, True), "%d" % p.group, "%d" % code,
                        "1" if p.reported(m, sl) else "0", "%d" % p.studies(m, sl),
                        "1" if code == 1 else "0", "%d" % p.hours(m, sl),
                        q(p.remarks.get((m, sl), ""), sep, True),
                        q("%02d (%s)" % (m + 1, SHORT[m]), sep, True), "%d" % year,
                        "%d" % p.id], sep))
                self.check("export monthly", "file name %s" % " ".join(args),
                           MONTHS[m] + (".rpt" if tab else ".csv"), os.path.basename(path))
                self.compare_file("export monthly", " ".join(args), lines, data)
        months = list(reversed(f.back(24)))
        # Summary: the stored branch totals of each month; the pioneers' line joins the
        # regular and special pioneers' rows.
        path, data = self.export("summary")
        lines = [self.line(["Privilege", "Month", "Reports", "Placements", "Video Showings",
                            "Hours", "Return Visits", "Bible Studies",
                            "Total Active Publishers"], ",", False)]
        for caption, rows in (("Publishers", (0,)), ("Auxiliary pioneers", (1,)),
                              ("Pioneers (Reg & Spc)", (2, 3))):
            for (m, s, y) in months:
                vals = [sum(f.tcard_value(m, 9 * r + k, s) for r in rows)
                        for k in (8, 0, 1, 2, 3, 4)]
                active = f.tcard_value(m, 5, s)
                lines.append(self.line([q(caption, ",", True), q("%d-%.2d" % (y, m + 1), ",", True)]
                                       + [q("%d" % v, ",", True) for v in vals]
                                       + [q("%d" % active if active else "", ",", True)],
                                       ",", False))
        self.compare_file("export summary", "Summary.csv", lines, data)
        path, data = self.export("attendance")
        lines = [self.line(["Meeting", "Month", "Num", "Tot", "Avg", "Active publishers"], ",",
                           False)]
        for b, caption in enumerate(("Midweek", "Weekend")):
            mt = f.meetings[b]
            for (m, s, y) in months:
                active = f.tcard_value(m, 5, s)
                lines.append(self.line([q(caption, ",", True), q("%d-%.2d" % (y, m + 1), ",", True),
                                        q("%d" % mt["num"](m, s), ",", True),
                                        q("%d" % mt["tot"](m, s), ",", True),
                                        q("%4d" % mt["avg"](m, s), ",", True),
                                        q("%d" % active if active else "", ",", True)], ",", False))
        self.compare_file("export attendance", "Meeting Attendance.csv", lines, data)
        path, data = self.export("contacts")
        lines = [self.captions(("Name", "Address", "Telephone", "Mobile", "Phone 3",
                                "E-Mail", "Other Contact Information",
                                "Group"), "\t")]
        for p in f.active:
            mail, other = self.email(p)
            lines.append(self.line([q(v, "\t") for v in (self.listed_name(p), p.address, p.home,
                                                         p.mobile, p.work, mail, other)]
                                   + ["%d" % p.group], "\t"))
        self.compare_file("export contacts", "contact.tsv", lines, data)
        path, data = self.export("card-headers")
        lines = [self.captions(("Name", "Address", "Telephone", "Mobile",
                                "Date of birth", "Date of baptism", "Anointed",
                                "Elder", "Ministerial servant", "Regular pioneer",
                                "Male"), "\t")]
        for p in f.active:
            marks = [p.hope == "A", p.privilege == 2, p.privilege == 1,
                     p.pioneer(f.wm, f.wy % 2) == 2, bool(p.flags & 0x20)]
            lines.append(self.line([q(v, "\t") for v in (self.listed_name(p), p.address, p.home,
                                                         p.mobile, self.export_date(p.birth),
                                                         self.export_date(p.baptism))]
                                   + ["Y" if k else "" for k in marks], "\t"))
        self.compare_file("export card-headers", "cardhdr.tsv", lines, data)
        m, s = f.wm, f.wy % 2
        for g in range(1, len(f.groups) + 1):
            path, data = self.export("collection-list", "--group", str(g))
            lines = [self.captions(("First Name", "Last Name", "Shared",
                                    "Bible Studies", "Hours", "Remarks"), ",")]
            for p in f.active:
                if p.group != g:
                    continue
                remark = p.remarks.get((m, s), "")
                if not remark and p.pioneer(m, s) == 1:
                    remark = "AuxP"
                st, hr = p.studies(m, s), p.hours(m, s)
                lines.append(self.line([q(p.first, ","), q(p.last, ","),
                                        "1" if p.shared(m, s) else "",
                                        "%d" % st if st else "", "%d" % hr if hr else "",
                                        q(remark, ",")], ","))
            self.compare_file("export collection-list", "Group-%d.csv" % g, lines, data)


    def audit_meeting(self):
        f = self.f
        got = self.json("report", "meeting")
        rows = self.meeting_rows() + [("blank", []), ("heading", [
            "Averages for Six Months ending in " + MONTHS[f.wm]])]
        months = list(reversed(f.back(6)))
        rows.append(("heading", [""] + [SHORT[m] for (m, _s, _y) in months] + ["6-Mon"]))
        for b, name in enumerate(["Midweek Meeting", "Weekend Meeting"]):
            six = self.attendance_average(b, 6)
            averages = ["%d" % f.meetings[b]["avg"](m, s) for (m, s, _y) in months]
            rows.append(("text", [name] + averages
                         + ["%d" % six if six else ""]))
        self.check_rows("meeting", rows, got["rows"])

    # Hours for twelve months -----------------------------------------------------------
    def audit_hours(self):
        f = self.f
        wm, ws = f.wm, f.wy % 2
        months = list(reversed(f.back(12)))
        year = f.back(12)
        kinds = [("hours", None, lambda p: True, ""),
                 ("hours-pioneers", None, lambda p: p.pioneer(wm, ws) == 2, " - Regular pioneers"),
                 ("hours-auxiliary", None,
                  lambda p: any(p.pioneer(m, s) == 1 for (m, s, _y) in year),
                  " - Auxiliary pioneers"),
                 ("hours-elders-servants", None, lambda p: p.privilege in (1, 2),
                  " - Elders & Ministerial Servants"),
                 ("hours-brothers", None, lambda p: p.privilege == 3, " - Baptized Brothers")]
        for g in range(1, len(f.groups) + 1):
            kinds.append(("hours-group", g, (lambda g: lambda p: p.group == g)(g), None))
        for name, group, keep, sub in kinds:
            got = self.json("report", name, *(["--group", str(group)] if group else []))
            self.check(name, "title", "Hours for 12 months ending in " + MONTHS[wm], got["title"])
            if sub is not None:
                self.check(name, "subtitle", self.subtitle("Congregation" + sub), got["subtitle"])
            rows = []
            for p in f.active:
                if not keep(p):
                    continue
                cells = [f.display(p)]
                total = q = aux_hours = aux_months = 0
                for (m, s, y) in months:
                    h, qq = p.hours(m, s), p.quarters(m, s)
                    total += h
                    q += qq
                    if p.pioneer(m, s) == 1 and p.has_time(m, s):
                        aux_hours += h
                        aux_months += 1
                    serial = (y - 2000) * 12 + m
                    if p.pioneer(m, s) == 0 and serial > SWITCH_SERIAL:
                        cells.append(TICK if p.reported(m, s) else "")
                    elif h or qq:
                        cells.append("%d%s" % (h, ["", "\u00bc", "\u00bd", "\u00be"][qq & 3]))
                    else:
                        cells.append("")
                if name == "hours-auxiliary":
                    avg = aux_hours / aux_months if aux_months else 0.0
                else:
                    avg = (total + q // 4 + (1 if q % 4 == 3 else 0)) / 12
                cells.append("%3.1f" % avg)
                rows.append(("publisher", cells))
            self.check_rows(name, rows, got["rows"])


    def status_event_month(self, p, flag, period):
        """The 1-based month in which a publisher became new (flag 1) or was reactivated
        (flag 2), when it falls in the period, else 0. The status year keeps a copy of the
        status month written with the event, which the ageing of the status month leaves."""
        f = self.f
        month, flags = p.status_month >> 4, p.status_month & 0xF
        copy, copy_flags = p.status_year >> 4, p.status_year & 0xF
        if period == 0:
            return month if flags & flag and month in {m + 1 for (m, _s, _y) in f.back(6)} else 0
        if period == 1:
            months = {m + 1 for (m, _s, _y) in f.service_months()}
            return copy if copy_flags & flag and copy in months else 0
        if period == 2:
            if copy_flags & flag and copy:
                return copy
            return month if flags & flag else 0
        if not (flags | copy_flags) & flag:
            return 0
        age = f.serial - p.stamp if p.stamp else None
        if age is not None and 12 <= age <= 23:
            return p.stamp % 12 + 1
        if age is not None and age >= 24:
            return 0
        return month

    def status_event_year(self, p, month):
        f = self.f
        if p.stamp and f.serial - p.stamp < 24:
            return 2000 + p.stamp // 12
        return f.year_of(month - 1)


    def audit_overview(self):
        f = self.f
        m, s = f.wm, f.wy % 2
        got = json.loads(self.run("overview", "--json"))
        rows = self.branch_rows()

        def avg(r):
            return "%4.1f" % (rows[r][2] / rows[r][8]) if rows[r][8] else "0.0"
        expected = {
            "working_month": m + 1, "working_year": 2000 + f.wy, "active": len(f.active),
            "regular": sum(1 for p in f.active if not f.missing_mask(p)),
            "baptized": sum(1 for p in f.active if not p.unbaptized),
            "regular_pioneers": sum(1 for p in f.active if p.pioneer(m, s) == 2),
            "elders": sum(1 for p in f.active if p.privilege == 2),
            "servants": sum(1 for p in f.active if p.privilege == 1),
            "aux_pioneers": sum(1 for p in f.active if p.pioneer(m, s) == 1),
            "avg_hours_pioneers": avg(2).strip(), "avg_hours_auxiliary": avg(1).strip(),
            "deaf": sum(1 for p in f.active if p.circ & 1),
            "blind": sum(1 for p in f.active if p.circ & 2),
            "incarcerated": sum(1 for p in f.active if p.circ & 4)}
        if f.serial > SWITCH_SERIAL:
            expected["avg_hours_publishers"] = ""
        for key, value in expected.items():
            actual = got.get(key)
            if isinstance(actual, str):
                actual = actual.strip()
            self.check("overview", key, value, actual)
        for key, months, period in (("service_year", f.service_months(), 1),
                                    ("six_months", f.back(6), 0)):
            part = got.get(key, {})
            self.check("overview", key + " aux_pioneers", sum(
                1 for p in f.active if any(p.pioneer(mm, ss) == 1 for (mm, ss, _y) in months)),
                part.get("aux_pioneers"))
            self.check("overview", key + " inactive",
                       self.inactive_counts()[2 if period else 1],
                       part.get("inactive"))
            self.check("overview", key + " moveouts",
                       self.moveout_counts()[2 if period else 1], part.get("moveouts"))
            for name, flag in (("new_publishers", 1), ("reactivated", 2)):
                count = sum(1 for p in f.active if self.status_event_month(p, flag, period))
                self.check("overview", "%s %s" % (key, name), count, part.get(name))


    def years_since(self, d):
        """Whole years from a date (MMDDYYYY) to today; None when the date has no year."""
        f = self.f
        if len(d) < 8 or d[4] < "0" or not d[4:8].isdigit() or not d[0:2].isdigit():
            return None
        year, month = int(d[4:8]), int(d[0:2])
        if (year, month) > (f.today_y, f.today_m):
            return -1  # a date still to come
        years = f.today_y - year
        if month > f.today_m and year < f.today_y:
            years -= 1
        return years

    def birth_baptism_rows(self):
        f = self.f
        n = len(f.active)
        baptized = [("Unbaptized", None, None), ("Less than Year", 0, 0), ("1 - 4 Yrs", 1, 4),
                    ("5 - 9 Yrs", 5, 9), ("10 - 19 Yrs", 10, 19), ("20 - 29 Yrs", 20, 29),
                    ("Over Thirty Yrs", 30, 10**6)]
        ages = [("Under 20", -10**6, 19), ("20 - 29", 20, 29), ("30 - 39", 30, 39),
                ("40 - 49", 40, 49), ("50 - 59", 50, 59), ("60 - 69", 60, 69),
                ("Over 70", 70, 10**6)]
        bap = [self.years_since(p.baptism) for p in f.active]
        age = [self.years_since(p.birth) for p in f.active]

        def pct(k):
            return "%2.0f%%" % (k * 100 / n) if n else " 0%"
        rows = [("heading", ["Years Baptized", "", "", "Years of Age"])]
        for (bl, blo, bhi), (al, alo, ahi) in zip(baptized, ages):
            if blo is None:
                b = sum(1 for y in bap if y is None)
            else:
                b = sum(1 for y in bap if y is not None and blo <= y <= bhi)
            a = sum(1 for y in age if y is not None and alo <= y <= ahi)
            rows.append(("text", [bl, "%d" % b, pct(b), al, "%d" % a, pct(a)]))
        return rows


    # Year-to-date summaries ------------------------------------------------------------
    def period_figures(self, code, months, branch):
        """Placements, videos, hours, return visits, Bible studies and reports of one
        category (pioneer code) for each month: from the publisher records of the active
        file, or from the totals stored as reported to the branch. Quarter hours count as in
        every total: four make one hour, carried from month to month, the rest dropped."""
        f = self.f
        out, carried = [], 0
        for (m, s, _y) in months:
            if branch:
                v = [f.tcard_value(m, 9 * code + k, s) for k in range(9)]
                out.append([v[0], v[1], v[2] + v[7] // 4, v[3], v[4], v[8]])
                continue
            people = [p for p in f.active if p.pioneer(m, s) == code]
            row = [sum(p.cell(k, m, s) for p in people) for k in range(4)]
            carried += sum(p.quarters(m, s) for p in people)
            row[2] += carried // 4
            carried %= 4
            row.append(sum(p.studies(m, s) for p in people))
            row.append(sum(1 for p in people if p.reported(m, s)))
            out.append(row)
        return out

    def audit_ytd_summary(self):
        f = self.f
        periods = [("six", "Last Six Months", f.back(6)),
                   ("year", "Service Year", f.service_months()),
                   ("twelve", "Last Twelve Months", f.back(12))]
        cats = [("publishers", "Publishers", 0), ("auxiliary", "Auxiliary pioneers", 1),
                ("regular", "Regular pioneers", 2)]
        ends = 2000 + f.wy + (1 if f.wm >= 8 else 0)
        for word, cat_name, code in cats:
            for branch in (False, True):
                source = "Reported to Branch" if branch else "Summary of Active File"
                for pword, pname, months in periods:
                    months = list(reversed(months))
                    figures = self.period_figures(code, months, branch)
                    totals = [sum(col) for col in zip(*figures)]
                    n = len(months)
                    flag = ["--branch"] if branch else []
                    text = self.run("ytd-summary", word, "--period", pword, *flag)
                    lines = [l.split("\t") for l in text.splitlines()]
                    exp = [["Year-to-Date Activity Summary", cat_name, source],
                           ["", "Shared in Ministry", "Bible Studies", "Hours"]]
                    for (m, _s, _y), v in zip(months, figures):
                        exp.append([SHORT[m], "%d" % v[5], "%d" % v[4], "%d" % v[2]])
                    exp.append(["Totals", "%d" % totals[5], "%d" % totals[4], "%d" % totals[2]])
                    exp.append(["Avgs"] + ["%4.1f" % (totals[k] / n) for k in (5, 4, 2)])
                    exp.append(["Tots/Avgs for " + pname])
                    report = "ytd-summary"
                    self.check(report, "%s %s %s lines" % (word, pword, source), len(exp),
                               len(lines))
                    for i, (e, a) in enumerate(zip(exp, lines)):
                        self.check_row(report, "%s %s %s line %d" % (word, pword, source, i), e, a)
                    got = self.json("report", "card", "--totals", word, "--period", pword, *flag)
                    self.check("totals card", "%s %s title" % (word, pword), pname, got["title"])
                    rows = [("heading", [cat_name, source]),
                            ("text", ["Service Year %d" % ends, "Placements", "Video Showings",
                                      "Hours", "Return Visits", "Bible Studies",
                                      "Shared in Ministry"])]
                    for i, ((m, _s, y), v) in enumerate(zip(months, figures)):
                        label = "%d    %s" % (y, SHORT[m]) if i == 0 or m == 0 else SHORT[m]
                        rows.append(("publisher", [label] + ["%d" % x if x else "" for x in v]))
                    rows.append(("total", ["Total"] + ["%d" % x if x else "" for x in totals]))
                    rows.append(("total", ["Average"] + ["%4.1f" % (x / n) for x in totals]))
                    self.check_rows("totals card", rows, got["rows"])


    @staticmethod
    def event_year(p):
        """The year of an inactive or moved publisher's status event."""
        v = p.status_year
        return 1744 + v if v > 200 else 2000 + v

    def inactive_in_period(self, p, period):
        """Periods of the inactive list: last six months, service year, last twelve months,
        over twelve months, all."""
        f = self.f
        year, month = self.event_year(p), p.status_month >> 4
        last12 = year == 2000 + f.wy or (year == 1999 + f.wy and month - 1 >= f.wm)
        if period in (0, 1):
            months = f.back(6) if period == 0 else f.service_months()
            return last12 and p.status_year != 0 and any(
                m + 1 == month and s == p.status_year % 2 for (m, s, _y) in months)
        return [last12, not last12, True][period - 2]


    def inactive_counts(self):
        """Publishers who became inactive in the working month, the last six months and the
        service year."""
        f = self.f
        inactive = [p for p in f.people if p.status == 1]
        this_month = sum(1 for p in inactive if self.inactive_in_period(p, 0)
                         and p.status_month >> 4 == f.wm + 1)
        return [this_month] + [sum(1 for p in inactive if self.inactive_in_period(p, k))
                               for k in (0, 1)]

    def moveout_counts(self):
        f = self.f
        moved = [p.status_month >> 4 for p in f.people if p.status == 3]
        return [sum(1 for m in moved if m in {mm + 1 for (mm, _s, _y) in months})
                for months in (f.back(1), f.back(6), f.service_months())]


SECTIONS = ["branch", "analysis", "averages", "service-year", "pioneer-hours",
            "statistics", "meeting", "hours", "cards", "view-lists", "overview",
            "ytd-summary", "exports"]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--data", required=True)
    ap.add_argument("--today", required=True)
    ap.add_argument("--only", default=",".join(SECTIONS))
    a = ap.parse_args()
    today = tuple(int(x) for x in a.today.split("-"))
    folder = Folder(a.data, today)
    audit = Audit(a.cli, folder, a.today)
    print("folder %s, working month %s %d" % (a.data, MONTHS[folder.wm], 2000 + folder.wy))
    for name in a.only.split(","):
        getattr(audit, "audit_" + name.replace("-", "_"))()
    bad = 0
    for report, (cells, mism) in audit.counts.items():
        print("%-28s %7d cells %5d mismatches" % (report, cells, mism))
        bad += mism
    print("TOTAL %d cells, %d mismatches" % (sum(c[0] for c in audit.counts.values()), bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
