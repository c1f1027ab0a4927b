#!/bin/bash
# Starts the real zarim on a demo congregation under a virtual X server and checks that
# its main window appears, and that a second start with the same language ends at once
# (bringing the first copy forward) while the first keeps running.
# Usage: run_under_xvfb.sh ZARIM ZARIM_DEMO WORKDIR. Exit 77 (skipped) without the tools.
set -u
zarim=$1
demo=$2
work=$3
command -v Xvfb >/dev/null || exit 77
command -v xdpyinfo >/dev/null || exit 77
command -v xwininfo >/dev/null || exit 77
[ -x "$demo" ] || exit 77
rm -rf "$work"
mkdir -p "$work/run"
chmod 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"
export XDG_CONFIG_HOME="$work/config"
"$demo" "$work/data" --today 2024-03-10 >/dev/null || { echo "demo generation failed"; exit 1; }
# No start-up notice, so the main window is the first window.
printf '[Nag]\r\nEnabled=1\r\n' > "$work/data/zarim.ini"

# The server picks a free display itself and says which once it listens; the test then
# waits until the display answers, so a busy machine cannot make it flake.
. "$(dirname "$0")/xvfb_lib.sh"
start_xvfb "$work" || exit $?

bash -c '
  zarim=$0; work=$1
  "$zarim" --data "$work/data" --today 2024-03-10 --lang xvfbtest & pid=$!
  found=
  for _ in $(seq 1 300); do
    if xwininfo -root -tree | grep -q "ZARIM - data"; then found=1; break; fi
    sleep 0.1
  done
  if [ -z "$found" ]; then echo "the main window did not appear"; kill $pid; exit 1; fi
  timeout 10 "$zarim" --data "$work/data" --today 2024-03-10 --lang xvfbtest 2>"$work/second.err"
  rc=$?
  if [ $rc -ne 0 ]; then echo "the second start did not end at once (rc $rc)"; kill $pid; exit 1; fi
  if ! grep -q "already open for the folder" "$work/second.err"; then
    echo "the second start did not say why it ended:"; cat "$work/second.err"; kill $pid; exit 1
  fi
  if ! kill -0 $pid 2>/dev/null; then echo "the first copy ended"; exit 1; fi
  kill $pid
  wait $pid 2>/dev/null
  echo "main window shown; second start handed over"
  exit 0' "$zarim" "$work"
rc=$?
stop_xvfb
exit $rc
