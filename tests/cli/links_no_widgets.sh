#!/usr/bin/env bash
# links_no_widgets.sh ZARIM_CLI
# zarim-cli writes PDF files with Qt Gui alone: its dynamic dependencies name Qt Gui but
# neither the widgets nor the print support of the desktop, directly or through another
# library.
set -uo pipefail

cli=${1:?}
needed=$(readelf -d "$cli" | grep NEEDED) || { echo "FAIL: readelf found no dependencies" >&2; exit 1; }
echo "$needed"
echo "$needed" | grep -q 'libQt6Gui' || { echo "FAIL: zarim-cli does not link Qt Gui" >&2; exit 1; }
if echo "$needed" | grep -Eiq 'libQt6(Widgets|PrintSupport)'; then
  echo "FAIL: zarim-cli links the desktop's widgets" >&2
  exit 1
fi
if ldd "$cli" | grep -Eiq 'libQt6(Widgets|PrintSupport)'; then
  echo "FAIL: a library of zarim-cli pulls in the desktop's widgets" >&2
  exit 1
fi
