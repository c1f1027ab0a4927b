#!/bin/bash
# Takes the pictures of the program's windows (first start, congregation name, main
# window, report slip, printing without a printer) on a demo congregation under a virtual
# 1920x1080 X server, at scale factors 1 and 2; then in other languages at scale 1, each
# on a demo congregation kept in that language: the pictures of the translated guides
# (French, Spanish) and the main window and the slip in Russian.
# Usage: tools/screenshots.sh BUILD_DIR OUTPUT_DIR  (writes OUTPUT_DIR/scale1, scale2 and
# OUTPUT_DIR/LANG for the catalogs fr, es, ru)
set -eu
build=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
. "$(dirname "$0")/../tests/shell/xvfb_lib.sh"
"$build/tools/zarim-demo" "$work/data" --today 2024-03-10 >/dev/null
# No start-up notice; a home of its own, so the first start names a folder there.
printf '[Nag]\r\nEnabled=1\r\n' > "$work/data/zarim.ini"
mkdir -p "$work/home/Documents" "$work/run"
chmod 700 "$work/run"
start_xvfb "$work" 1920x1080x24
for scale in 1 2; do
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run" \
    XDG_DOCUMENTS_DIR="$work/home/Documents" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale \
    "$build/tools/zarim-screenshots" "$work/data" "$out/scale$scale"
done
export ZARIM_LOCALEDIR="$build/locale"
guide_pictures="first-start congregation-name main-window slip publisher emergency-contact
  post-reports attendance groups record-card backup restore branch-report no-printer
  no-printer-save-pdf"
# CATALOG CODE CODE_PAGE PICTURES...
shoot_language() {
  local catalog=$1 code=$2 code_page=$3
  shift 3
  local data="$work/data-$catalog"
  "$build/tools/zarim-demo" "$data" --today 2024-03-10 --lang "$code" >/dev/null
  printf '[Nag]\r\nEnabled=1\r\n[Language]\r\nCodePage=%s\r\n' "$code_page" > "$data/zarim.ini"
  rm -rf "${out:?}/$catalog"
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run" \
    XDG_DOCUMENTS_DIR="$work/home/Documents" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
    "$build/tools/zarim-screenshots" "$data" "$out/$catalog" "$code" "$@"
}
# shellcheck disable=SC2086  # the list of pictures is split into words
shoot_language fr french windows-1252 $guide_pictures
# shellcheck disable=SC2086
shoot_language es spanish windows-1252 $guide_pictures
shoot_language ru rus windows-1251 main-window slip
ls "$out"/scale1 "$out"/scale2 "$out"/fr "$out"/es "$out"/ru
