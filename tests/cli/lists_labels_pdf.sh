#!/usr/bin/env bash
# zarim-cli writes a list, the labels and record cards as PDF files that hold what their
# models and selections say: the address list's title and first entry; labels on the
# sheets the starting label asks for, and none for an empty choice of publishers; a
# publisher's card with its title and name, and a file's cards on one sheet each; every
# View list type printed under the title its text form shows.
# usage: lists_labels_pdf.sh ZARIM_CLI ZARIM_DEMO WORKDIR
set -euo pipefail
cli=$1 demo=$2 work=$3
command -v pdftotext >/dev/null || { echo "pdftotext is missing"; exit 77; }
rm -rf "$work" && mkdir -p "$work"
"$demo" "$work/data" --today 2026-12-08 >/dev/null
run() { "$cli" --data "$work/data" --today 2026-12-08 "$@"; }

run report address --pdf "$work/address.pdf"
text=$(pdftotext -layout "$work/address.pdf" -)
grep -qF "Address List" <<<"$text" || { echo "address title missing"; exit 1; }
first=$(run report address --json | python3 -c 'import json,sys; print(json.load(sys.stdin)["rows"][0]["cells"][0])')
grep -qF "$first" <<<"$text" || { echo "first entry '$first' missing"; echo "$text"; exit 1; }

run report groups --pdf "$work/groups.pdf"
pdftotext "$work/groups.pdf" - | grep -qF "Field Service Groups" || { echo "group list title missing"; exit 1; }

# Twenty labels from the second position need a second sheet; the first stands right.
ids=$(run dump | python3 -c '
import json, sys
d = json.load(sys.stdin)
recs = [r for r in d["records"] if r["id"] >= 10 and r["status"] == 0][:20]
print(",".join(str(r["id"]) for r in recs))')
[[ $(tr ',' '\n' <<<"$ids" | wc -l) -eq 20 ]] || { echo "the demo has fewer than 20 publishers"; exit 1; }
run labels --start 2 --ids "$ids" --pdf "$work/labels.pdf"
pages=$(pdfinfo "$work/labels.pdf" | awk '/^Pages:/ {print $2}')
[[ "$pages" == 2 ]] || { echo "labels: $pages pages, not 2"; exit 1; }
pdftotext -f 2 -l 2 "$work/labels.pdf" - | grep -q "[A-Za-z]" || { echo "second sheet is empty"; exit 1; }
# An empty choice prints nothing.
run labels --ids "" --pdf "$work/none.pdf"
if pdftotext "$work/none.pdf" - | grep -q "[A-Za-z0-9]"; then echo "empty choice printed"; exit 1; fi
first_id=${ids%%,*}
run report card "$first_id" --pdf "$work/card.pdf"
card=$(pdftotext -layout "$work/card.pdf" -)
grep -qF "CONGREGATION'S PUBLISHER RECORD" <<<"$card" || { echo "card title missing"; exit 1; }
name=$(run report card "$first_id" --json | python3 -c 'import json,sys; print(json.load(sys.stdin)["rows"][0]["cells"][0].split(":  ")[1])')
grep -qF "$name" <<<"$card" || { echo "card name '$name' missing"; echo "$card"; exit 1; }
# The totals card is titled by its period and closes with the averages.
run report card --totals publishers --period twelve --pdf "$work/totals.pdf"
totals=$(pdftotext -layout "$work/totals.pdf" -)
grep -qF "Last Twelve Months" <<<"$totals" || { echo "totals card title missing"; echo "$totals"; exit 1; }
grep -qF "Average" <<<"$totals" || { echo "totals card averages missing"; exit 1; }
run report cards --inactive --order alpha --pdf "$work/inactive.pdf"
inactive=$(run dump | python3 -c 'import json,sys; print(sum(1 for r in json.load(sys.stdin)["records"] if r["id"] >= 10 and r["status"] == 1))')
sheets=$(pdfinfo "$work/inactive.pdf" | awk '/^Pages:/ {print $2}')
[[ "$sheets" == "$(( inactive > 0 ? inactive : 1 ))" ]] || { echo "$sheets sheets for $inactive inactive cards"; exit 1; }
echo "lists, labels and card PDFs hold their texts ($pages label sheets for 20 from label 2)"

# Every View list type prints under the title its text shows, by view and by report.
for type in $(seq 0 14); do
  run view "$type" --pdf "$work/v.pdf"
  pdftotext "$work/v.pdf" - | tr -s ' \n' ' ' | grep -qF "$(run view "$type" | head -1 | tr -s ' ')" || { echo "view $type"; exit 1; }
done
run report view-list 1 --pdf "$work/v.pdf" && pdftotext "$work/v.pdf" - | grep -q "Irregular" || { echo "report view-list"; exit 1; }
