#!/usr/bin/env bash
# zarim-cli writes the report to the branch office as a PDF that holds its title and rows.
# usage: report_branch_pdf.sh ZARIM_CLI ZARIM_DEMO WORKDIR
set -euo pipefail
cli=$1 demo=$2 work=$3
command -v pdftotext >/dev/null || { echo "pdftotext is missing"; exit 77; }
rm -rf "$work" && mkdir -p "$work"
"$demo" "$work/data" --today 2026-12-08 >/dev/null
"$cli" --data "$work/data" --today 2026-12-08 report branch --pdf "$work/branch.pdf"
text=$(pdftotext -layout "$work/branch.pdf" -)
expected=$("$cli" --data "$work/data" --today 2026-12-08 report branch --text | head -n 1)
grep -qF "$expected" <<<"$text" || { echo "title missing: $expected"; echo "$text"; exit 1; }
for row in Pubs AuxP Pios Totals; do
  grep -q "^$row " <<<"$text" || { echo "row $row missing"; echo "$text"; exit 1; }
done
echo "branch PDF holds: $expected"
