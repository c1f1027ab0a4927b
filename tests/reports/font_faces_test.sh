#!/usr/bin/env bash
# The faces the labels, the date stamp and the record cards name resolve through
# fontconfig to installed metric-compatible fonts, so text measures as it prints.
set -euo pipefail
command -v fc-match >/dev/null || { echo "fc-match is missing"; exit 77; }
check() {
  local face=$1 want=$2 got
  got=$(fc-match -f '%{family}' "$face")
  [[ ",$got," == *",$want,"* ]] || { echo "$face resolves to '$got', not $want"; exit 1; }
}
check "Times New Roman" "Liberation Serif"
check "Calibri" "Carlito"
check "Arial" "Liberation Sans"
echo "faces resolve"
