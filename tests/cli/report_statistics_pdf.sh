#!/usr/bin/env bash
# zarim-cli writes the statistics as a PDF whose text holds the title and, for every row of
# counts, the label and the figures of its text form.
# usage: report_statistics_pdf.sh ZARIM_CLI ZARIM_DEMO WORKDIR
set -euo pipefail
cli=$1 demo=$2 work=$3
command -v pdftotext >/dev/null || { echo "pdftotext is missing"; exit 77; }
rm -rf "$work" && mkdir -p "$work"
"$demo" "$work/data" --today 2026-03-10 >/dev/null
run() { "$cli" --data "$work/data" --today 2026-03-10 "$@"; }
run report statistics --pdf "$work/statistics.pdf"
text=$(pdftotext -layout "$work/statistics.pdf" - | sed 's/  */ /g')
model=$(run report statistics --text)
title=$(head -n 1 <<<"$model")
grep -qF "$title" <<<"$text" || { echo "title missing: $title"; echo "$text"; exit 1; }
checked=0
while IFS=$'\t' read -r label a b c; do
  [[ -n "$label" && -n "${a:-}" ]] || continue
  line="$label ${a}${b:+ $b}${c:+ $c}"
  grep -qF "$line" <<<"$text" || { echo "row missing: $line"; echo "$text"; exit 1; }
  checked=$((checked + 1))
done < <(sed -n '2,7p' <<<"$model")
[[ $checked -ge 6 ]] || { echo "only $checked rows checked"; exit 1; }
echo "statistics PDF holds the title and $checked rows"
