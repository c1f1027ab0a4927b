#!/usr/bin/env bash
# Time and peak memory of zarim-cli on hostile input files: each must finish in well under
# 2 s and 200 MB with a clear refusal (or, for the named references, a correct load).
# usage: bench/hostile_inputs.sh BUILD_DIR DATA_FOLDER
set -uo pipefail
cli=${1:-build/release}/src/cli/zarim-cli
data=${2:?a data folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
head='<?xml version="1.0"?>'
pub() { printf '%s%s<PUBLIST><Agent Ver="9000">Zarim</Agent><Count>1</Count><Active><Pub><id>1</id><fname>%s</fname><lname>Able</lname></Pub></Active></PUBLIST>' "$head" "$1" "$2"; }
big=$(head -c 100000 /dev/zero | tr '\0' A)
uses=$(printf '&e;%.0s' $(seq 5000))
hearts=$(printf '&hearts;%.0s' $(seq 65536))
truncate -s 1G "$work/big.xml"
pub "<!DOCTYPE PUBLIST [<!ENTITY e \"$big\">]>" "$uses" >"$work/entity.xml"
iconv -f UTF-8 -t UTF-16 "$work/entity.xml" >"$work/entity16.xml"
pub "" "$hearts" >"$work/hearts.xml"
truncate -s 2M "$work/big.csv"
mkfifo "$work/pipe.csv"
run() {
  local what=$1
  shift
  /usr/bin/time -f "$what: %e s, %M KiB" "$cli" --data "$data" "$@" >/dev/null 2>"$work/err"
  tail -n 1 "$work/err"
  head -n 1 "$work/err" | cut -c1-120
}
run "1 GB publisher file" xml import "$work/big.xml"
run "one entity used 5,000 times" xml import "$work/entity.xml"
run "the same in UTF-16" import xml-reports "$work/entity16.xml"
run "65,536 named references" xml check "$work/hearts.xml"
run "CSV beyond its bound" import csv "$work/big.csv"
run "a pipe as CSV" import csv "$work/pipe.csv"
