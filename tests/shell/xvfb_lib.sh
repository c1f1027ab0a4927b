# Sourced by the tests that need a real X display. start_xvfb WORK_DIR [WxHxD] starts a
# virtual X server (1280x1024x24 unless given) that picks a free display itself (-displayfd), waits until the display answers
# and exports DISPLAY; stop_xvfb stops that server by its process id. Returns 77 when
# Xvfb or xdpyinfo is missing.
start_xvfb() {
  local work=$1 screen=${2:-1280x1024x24}
  command -v Xvfb >/dev/null || return 77
  command -v xdpyinfo >/dev/null || return 77
  coproc XVFB { exec Xvfb -displayfd 1 -screen 0 "$screen" -nolisten tcp 2>"$work/xvfb.log"; }
  xvfb_pid=$XVFB_PID
  local display=
  read -r -t 30 display <&"${XVFB[0]}"
  if [ -z "$display" ]; then
    echo "the X server did not start"; cat "$work/xvfb.log"; stop_xvfb; return 1
  fi
  export DISPLAY=":$display"
  for _ in $(seq 1 300); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "display $DISPLAY does not answer"; stop_xvfb; return 1
}

stop_xvfb() {
  [ -n "${xvfb_pid:-}" ] || return 0
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}
