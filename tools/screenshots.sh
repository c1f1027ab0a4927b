#!/bin/bash
# Takes the pictures of the program's windows (first start, congregation name, main
# window, report slip, printing without a printer) on a demo congregation under a virtual
# 1920x1080 X server, at scale factors 1 and 2.
# Usage: tools/screenshots.sh BUILD_DIR OUTPUT_DIR  (writes OUTPUT_DIR/scale1, scale2)
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
ls "$out"/scale1 "$out"/scale2
