#!/usr/bin/env bash
# zarim-cli writes the meeting attendance record and the emergency contact forms as PDF
# files that hold what their models say: the record's title, both meetings and a month's
# weekly average; one household's form with its head, two households on one sheet, and
# nothing for an empty choice.
# usage: attendance_forms_pdf.sh ZARIM_CLI ZARIM_DEMO WORKDIR
set -euo pipefail
cli=$1 demo=$2 work=$3
command -v pdftotext >/dev/null || { echo "pdftotext is missing"; exit 77; }
rm -rf "$work" && mkdir -p "$work"
"$demo" "$work/data" --today 2026-12-08 >/dev/null
run() { "$cli" --data "$work/data" --today 2026-12-08 "$@"; }

run report attendance-record --year 2026 --two --pdf "$work/record.pdf"
record=$(pdftotext -layout "$work/record.pdf" -)
for text in "CONGREGATION MEETING ATTENDANCE RECORD" "Midweek Meeting" "Weekend Meeting" \
            "Service Year" "2025" "2026"; do
  grep -qF "$text" <<<"$record" || { echo "record: '$text' missing"; echo "$record"; exit 1; }
done
# A month with meetings: its weekly average stands in the PDF on the month's line.
line=$(run report attendance-record --year 2026 --json | python3 -c '
import json, sys
rows = json.load(sys.stdin)["rows"]
full = [r["cells"] for r in rows if r["kind"] == "publisher" and len(r["cells"]) == 4]
print(full[0][0] + " " + full[0][3] if full else "")')
[[ -n "$line" ]] || { echo "the demo has no attendance in service year 2026"; exit 1; }
month=${line%% *} average=${line##* }
grep -E "^ *$month .* $average( |$)" <<<"$record" >/dev/null ||
  { echo "record: $month with average $average missing"; echo "$record"; exit 1; }
pages=$(pdfinfo "$work/record.pdf" | awk '/^Pages:/ {print $2}')
[[ "$pages" == 1 ]] || { echo "record: $pages pages, not 1"; exit 1; }

ids=$(run dump | python3 -c '
import json, sys
d = json.load(sys.stdin)
print(",".join(str(r["id"]) for r in d["records"] if r["id"] >= 10 and r["status"] == 0))')
first=${ids%%,*}
run report emergency-forms --ids "$first" --pdf "$work/form.pdf"
form=$(pdftotext -layout "$work/form.pdf" -)
head=$(run report emergency-forms --ids "$first" --json | python3 -c '
import json, sys; print(json.load(sys.stdin)["rows"][0]["cells"][1])')
for text in "Emergency Contact Information" "Family Head" "Physical Address" "$head"; do
  grep -qF "$text" <<<"$form" || { echo "form: '$text' missing"; echo "$form"; exit 1; }
done
forms=$(run report emergency-forms --json | python3 -c '
import json, sys; print(sum(1 for r in json.load(sys.stdin)["rows"] if r["kind"] == "publisher"))')
run report emergency-forms --pdf "$work/forms.pdf"
sheets=$(pdfinfo "$work/forms.pdf" | awk '/^Pages:/ {print $2}')
[[ "$sheets" == $(( (forms + 1) / 2 )) ]] || { echo "$sheets sheets for $forms forms"; exit 1; }
run report emergency-forms --ids "" --pdf "$work/none.pdf"
if pdftotext "$work/none.pdf" - | grep -q "[A-Za-z0-9]"; then echo "empty choice printed"; exit 1; fi
echo "attendance record and $forms emergency forms on $sheets sheets hold their texts"
