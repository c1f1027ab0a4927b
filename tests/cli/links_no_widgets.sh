#!/usr/bin/env bash
# links_no_widgets.sh ZARIM_CLI PDF_WRITER
# zarim-cli starts without Qt: neither it nor a library it needs loads Qt. Its PDF writer,
# the program it hands a PDF file to, links Qt Gui but neither the widgets nor the print
# support of the desktop, directly or through another library.
set -uo pipefail

cli=${1:?}
module=${2:?}
if ldd "$cli" | grep -q 'libQt6'; then
  echo "FAIL: zarim-cli loads Qt at start" >&2
  ldd "$cli" >&2
  exit 1
fi
needed=$(readelf -d "$module" | grep NEEDED) || { echo "FAIL: readelf found no dependencies" >&2; exit 1; }
echo "$needed"
echo "$needed" | grep -q 'libQt6Gui' || { echo "FAIL: the PDF writer does not link Qt Gui" >&2; exit 1; }
if ldd "$module" | grep -Eiq 'libQt6(Widgets|PrintSupport)'; then
  echo "FAIL: the PDF writer pulls in the desktop's widgets" >&2
  exit 1
fi
