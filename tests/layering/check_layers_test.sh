#!/usr/bin/env bash
# check_layers_test.sh CHECK_LAYERS_SH WORK_DIR
# The layering check passes on a small tree whose includes run down the layers, and
# fails, naming the line, once one include runs up or a folder has no layer.
set -uo pipefail

check=${1:?}
work=${2:?}
rm -rf "$work"
mkdir -p "$work/src/core" "$work/src/records" "$work/src/cycle" "$work/src/reports"

printf '#pragma once\n#include <string>\n' > "$work/src/core/document.h"
printf '#include "core/document.h"\n' > "$work/src/records/groups.cpp"
printf '#include "records/groups.h"\n#include "core/document.h"\n' > "$work/src/cycle/month_init.cpp"
printf '#include "cycle/month_init.h"\n' > "$work/src/reports/branch_report.cpp"

fail() { echo "FAIL: $*" >&2; exit 1; }

bash "$check" "$work/src" 2>"$work/clean.err" || fail "a clean tree was refused: $(cat "$work/clean.err")"

# A records source reaching up into the cycle.
printf '#include "core/document.h"\n  #include "cycle/month_init.h"\n' > "$work/src/records/groups.cpp"
if bash "$check" "$work/src" 2>"$work/up.err"; then fail "an upward include passed"; fi
grep -q 'records/groups.cpp:2: records may not include cycle/' "$work/up.err" ||
  fail "the upward include was not named: $(cat "$work/up.err")"

# The bottom layer including a sibling's header.
printf '#include "core/document.h"\n' > "$work/src/records/groups.cpp"
printf '#include "reports/canvas.h"\n' > "$work/src/core/document.h"
if bash "$check" "$work/src" 2>"$work/core.err"; then fail "core including reports passed"; fi
grep -q 'core/document.h:1: core may not include reports/' "$work/core.err" ||
  fail "the core include was not named: $(cat "$work/core.err")"

# A folder without a place in the order.
printf '#pragma once\n' > "$work/src/core/document.h"
mkdir -p "$work/src/exports"
if bash "$check" "$work/src" 2>"$work/new.err"; then fail "an unknown subsystem passed"; fi
grep -q 'exports/: folder with no place' "$work/new.err" || fail "$(cat "$work/new.err")"

echo "layering check: clean tree passes, upward includes and unknown folders fail"
