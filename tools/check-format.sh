#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what clang-format makes of it
# with the root .clang-format; lists the files that differ.
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"
formatter="${CLANG_FORMAT:-clang-format}"
command -v "$formatter" >/dev/null || { echo "check-format: $formatter is not installed" >&2; exit 2; }
bad=0
while IFS= read -r -d '' f; do
  if ! "$formatter" --dry-run -Werror --style=file "$f" >/dev/null 2>&1; then
    echo "not formatted: $f"
    bad=1
  fi
done < <(find src tests tools fuzz bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [[ $bad -ne 0 ]]; then
  echo "Run: clang-format -i <file> (style from .clang-format)" >&2
fi
exit $bad
