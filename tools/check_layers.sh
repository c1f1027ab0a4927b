#!/usr/bin/env bash
# check_layers.sh SRC_DIR
# Fails when a source under SRC_DIR includes a header of a subsystem it may not use:
# every folder of SRC_DIR is a subsystem, and `#include "x/..."` must name one that lies
# at or below it. A folder that is not in the table fails too, so a new subsystem gets
# its place in the order before it gets code.
set -euo pipefail

src=${1:?usage: check_layers.sh SRC_DIR}

# What each subsystem may include, itself included:
#   core  <-  records  <-  cycle  <-  reports, backup  <-  exchange  <-  cli, render, shell
declare -A may_use=(
  [core]="core"
  [records]="core records"
  [cycle]="core records cycle"
  [reports]="core records cycle reports"
  [backup]="core records cycle backup"
  [exchange]="core records cycle backup exchange"
  [render]="core records cycle reports render"
  [cli]="core records cycle reports backup exchange render cli"
  [shell]="core records cycle reports backup exchange render shell"
)

status=0
for dir in "$src"/*/; do
  sub=$(basename "$dir")
  if [[ -z "${may_use[$sub]+set}" ]]; then
    echo "$dir: folder with no place in the layers (add it to tools/check_layers.sh)" >&2
    status=1
    continue
  fi
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    target=${rest#*\"}
    target=${target%%/*}
    if [[ " ${may_use[$sub]} " != *" $target "* ]]; then
      echo "$file:$line: $sub may not include $target/ (it uses only: ${may_use[$sub]})" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z0-9_]+/' \
             --include='*.h' --include='*.cpp' --include='*.def' "$dir" || true)
done
exit $status
