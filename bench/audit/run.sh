#!/usr/bin/env bash
# Audits demo folders whose working months are January 2027, August 2026 and September 2026:
# the default demo, the same demo with quarter hours, remarks holding separators, a special
# servant and a field missionary without a report and a congregation name ("varied"), and
# the full demo. Prints the auditor's findings and a summary table; exits 1 on a mismatch.
# usage: bench/audit/run.sh BUILD_DIR
set -uo pipefail
build=${1:-build/release}
here=$(cd "$(dirname "$0")" && pwd)
cli="$build/src/cli/zarim-cli"
demo="$build/tools/zarim-demo"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Changes a demo folder so that the rules the plain demo never meets are exercised.
vary() {
  local dir=$1 today=$2
  printf '[Reports]\r\nCongName=Riverside, "East"\r\n[PrtGrp]\r\nEnabled=1\r\n' >>"$dir/zarim.ini"
  PYTHONPATH="$here" python3 - "$cli" "$dir" "$today" <<'EOF'
import subprocess, sys
import audit
cli, data, today = sys.argv[1:]
f = audit.Folder(data, tuple(int(x) for x in today.split("-")))

def run(*args):
    """Runs one changing command; its questions take their default answers, and only a
    refusal is shown."""
    r = subprocess.run([cli, "--data", data, "--today", today] + [str(a) for a in args],
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if r.returncode:
        sys.stderr.write("vary: %s: %s" % (" ".join(map(str, args)), r.stderr.decode()))

wm, ws = f.wm, f.wy % 2
past = f.back(14)[1:]
quarter = 0
# Quarter hours in past months of every pioneer and auxiliary pioneer.
for p in f.active:
    for (m, s, y) in past:
        if p.pioneer(m, s) and p.hours(m, s):
            quarter = quarter % 3 + 1
            run("history", p.id, "--year", y, "--month", m + 1,
                "--hours", "%d.%d" % (p.hours(m, s), quarter * 25))
# Remarks with a comma and a quote, for the first publisher identifier too.
first = min(p.id for p in f.active)
(m1, s1, y1) = past[0]
run("history", first, "--year", y1, "--month", m1 + 1, "--remark", 'Visited family, "north"')
run("post", first, "--remark", "Back, from a trip")
# A special servant and a field missionary who have not reported this month.
silent = [p for p in f.active if not p.reported(wm, ws) and p.pioneer(wm, ws) == 0]
for p, flag in zip(silent, ("special-servant", "field-missionary")):
    run("publisher", "edit", p.id, "--flag", flag)
# A publisher reactivated two months ago and two new publishers, so that the months
# since a status event shorten the averages and the irregular test.
inactive = [p for p in f.people if p.status == 1]
students = [p for p in f.people if p.status == 2]
(m2, s2, y2) = f.back(3)[2]
(m4, s4, y4) = f.back(5)[4]
if inactive:
    run("status", inactive[0].id, "reactivate", "--month", m2 + 1, "--year", y2)
if len(students) >= 2:
    run("status", students[0].id, "publish", "--month", wm + 1, "--year", 2000 + f.wy)
    run("status", students[1].id, "publish", "--month", m4 + 1, "--year", y4)
# One publisher becomes inactive in the working month, another moves away the month before.
rest = [p for p in f.active if p not in silent[:2] and p.pioneer(wm, ws) == 0]
(m1b, s1b, y1b) = f.back(2)[1]
run("status", rest[-1].id, "inactive", "--month", wm + 1, "--year", 2000 + f.wy)
run("status", rest[-2].id, "move", "--month", m1b + 1, "--year", y1b)
# An address holding the separators of the exports.
run("publisher", "edit", f.active[0].id, "--address", 'Flat 2, "Rose" House\tEast')
EOF
  # Names last name first, dates day first and the birth and baptism tables of the statistics.
  printf '\001\000\000\000\000\001\001' >"$dir/zrxcfg.cfg"
}

declare -a rows
status=0
for today in 2027-02-10 2026-09-10 2026-10-10; do
  for kind in default varied full; do
    dir="$work/$today-$kind"
    if [[ $kind == full ]]; then
      "$demo" "$dir" --today "$today" --full >/dev/null
    else
      "$demo" "$dir" --today "$today" >/dev/null
    fi
    [[ $kind == varied ]] && vary "$dir" "$today"
    echo "=== $today ($kind)"
    out=$(python3 "$here/audit.py" --cli "$cli" --data "$dir" --today "$today")
    rc=$?
    echo "$out"
    [[ $rc == 0 ]] || status=1
    rows+=("$(printf '%-12s %-8s %s' "$today" "$kind" "$(echo "$out" | tail -1)")")
  done
done
# Two working months of the older report form's time: September 2023 (the last month of
# the older form) and January 2024 (its previous service year is of the older form).
for today in 2023-10-10 2024-02-10; do
  dir="$work/$today-older"
  "$demo" "$dir" --today "$today" >/dev/null
  echo "=== $today (older form)"
  out=$(python3 "$here/audit.py" --cli "$cli" --data "$dir" --today "$today")
  rc=$?
  echo "$out"
  [[ $rc == 0 ]] || status=1
  rows+=("$(printf '%-12s %-8s %s' "$today" "older" "$(echo "$out" | tail -1)")")
done
echo
echo "=== summary (today, folder, cells and mismatches)"
printf '%s\n' "${rows[@]}"
exit $status
