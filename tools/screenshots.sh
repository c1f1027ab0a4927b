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
wm_pid=
trap '[ -z "$wm_pid" ] || kill "$wm_pid"; stop_xvfb; rm -rf "$work"' EXIT
. "$(dirname "$0")/../tests/shell/xvfb_lib.sh"
# A user's home of its own, so the first start names the folder it makes there and the
# backup offers a place beside the congregation's folder. Seen at /home/maria through a
# private mount where user namespaces allow it (as on a real machine), else at its
# temporary path.
mkdir -p "$work/homes/maria/Documents" "$work/run"
"$build/tools/zarim-demo" "$work/homes/maria/Congregation" --today 2024-03-10 >/dev/null
# No start-up notice.
printf '[Nag]\r\nEnabled=1\r\n' > "$work/homes/maria/Congregation/zarim.ini"
chmod 700 "$work/run"
home=/home/maria
# The other homes stay where they were (the build may be in one).
as_user=(unshare --user --map-root-user --mount bash -c '
  mkdir -p "$0/.home" && mount --rbind /home "$0/.home" || exit 1
  for d in "$0"/.home/*; do
    [ -e "$d" ] && [ "${d##*/}" != maria ] || continue
    mkdir -p "$0/homes/${d##*/}" && mount --rbind "$d" "$0/homes/${d##*/}" || exit 1
  done
  mount --rbind "$0/homes" /home && exec "$@"' "$work")
if ! "${as_user[@]}" test -d "$home/Documents" 2>/dev/null; then
  echo "no private mount of /home here: the first start shows a temporary folder"
  home="$work/homes/maria"
  as_user=()
fi
# SCREEN=1366x768x24 checks the layout on a smaller screen.
start_xvfb "$work" "${SCREEN:-1920x1080x24}"
# A small window manager draws the frames, so each picture shows its window's title.
if command -v openbox >/dev/null; then
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  # It manages the screen once it names itself on the root window (at most 10 s); a
  # window shown before then would be taken without its frame.
  for _ in $(seq 50); do
    command -v xprop >/dev/null || { sleep 1; break; }
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.2
  done
else
  echo "openbox is missing: the pictures show no title bars"
fi
# A sanitizer build would stop at leaks inside the system libraries (D-Bus) on exit.
for scale in 1 2; do
  HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work/run" \
    XDG_DOCUMENTS_DIR="$home/Documents" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale \
    ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" \
    "${as_user[@]}" "$build/tools/zarim-screenshots" "$home/Congregation" "$out/scale$scale"
done
export ZARIM_LOCALEDIR="$build/locale"
guide_pictures="first-start congregation-name main-window slip publisher emergency-contact
  post-reports attendance groups record-card backup restore branch-report no-printer
  no-printer-save-pdf"
# CATALOG CODE CODE_PAGE PICTURES...
shoot_language() {
  local catalog=$1 code=$2 code_page=$3
  shift 3
  local data="$work/homes/maria/Congregation-$catalog"
  "$build/tools/zarim-demo" "$data" --today 2024-03-10 --lang "$code" >/dev/null
  printf '[Nag]\r\nEnabled=1\r\n[Language]\r\nCodePage=%s\r\n' "$code_page" > "$data/zarim.ini"
  rm -rf "${out:?}/$catalog"
  rm -rf "$work/homes/maria/.config"
  HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work/run" \
    XDG_DOCUMENTS_DIR="$home/Documents" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
    ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" \
    "${as_user[@]}" "$build/tools/zarim-screenshots" "$home/Congregation-$catalog" \
    "$out/$catalog" "$code" "$@"
}
# shellcheck disable=SC2086  # the list of pictures is split into words
shoot_language fr french windows-1252 $guide_pictures
# shellcheck disable=SC2086
shoot_language es spanish windows-1252 $guide_pictures
shoot_language ru rus windows-1251 main-window slip
ls "$out"/scale1 "$out"/scale2 "$out"/fr "$out"/es "$out"/ru
