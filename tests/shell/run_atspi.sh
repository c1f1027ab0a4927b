#!/bin/bash
# Reads the main window's accessible tree the way a screen reader does: a session bus of
# its own (dbus-run-session), the AT-SPI bus it starts on demand, a virtual X server,
# then zarim with accessibility on; atspi_tree prints what the bus shows, and the menus
# and the action panel's buttons must be there by name. Everything started here is
# stopped here.
# Usage: run_atspi.sh ZARIM ZARIM_DEMO ATSPI_TREE WORK_DIR. Exit 77 (skipped) without
# dbus-run-session, the AT-SPI bus launcher or Xvfb.
set -u
zarim=$1
demo=$2
tree=$3
work=$4
command -v dbus-run-session >/dev/null || { echo "skipped: no dbus-run-session"; exit 77; }
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] ||
  { echo "skipped: the AT-SPI bus (at-spi2-core) is not installed"; exit 77; }
command -v Xvfb >/dev/null || { echo "skipped: no Xvfb"; exit 77; }

if [ -z "${ZARIM_ATSPI_INNER:-}" ]; then
  rm -rf "$work"
  mkdir -p "$work/run"
  chmod 700 "$work/run"
  export XDG_RUNTIME_DIR="$work/run"
  export XDG_CONFIG_HOME="$work/config"
  export ZARIM_ATSPI_INNER=1
  exec dbus-run-session -- bash "$0" "$@"
fi

. "$(dirname "$0")/xvfb_lib.sh"
"$demo" "$work/data" --today 2024-03-10 >/dev/null || { echo "demo generation failed"; exit 1; }
printf '[Nag]\r\nEnabled=1\r\n' >"$work/data/zarim.ini"
start_xvfb "$work" || exit $?

export QT_ACCESSIBILITY=1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$zarim" --data "$work/data" --today 2024-03-10 >"$work/zarim.log" 2>&1 &
zarim_pid=$!
finish() {
  kill "$zarim_pid" 2>/dev/null
  wait "$zarim_pid" 2>/dev/null
  stop_xvfb
  # The bus launcher and the registry were started on demand by this session's bus;
  # dbus-run-session ends them with the bus.
}
trap finish EXIT

# The window's tree is complete once the action panel's last button is on the bus.
found=
for _ in $(seq 1 120); do
  if "$tree" ZARIM >"$work/tree.txt" 2>"$work/tree.err" && grep -q "Exit Program" "$work/tree.txt"; then
    found=1
    break
  fi
  kill -0 "$zarim_pid" 2>/dev/null || { echo "zarim ended"; cat "$work/zarim.log"; exit 1; }
  sleep 0.5
done
if [ -z "$found" ]; then
  echo "the main window did not appear on the accessibility bus"
  cat "$work/tree.err" "$work/tree.txt" | head -n 40
  exit 1
fi

fail=0
expect() {
  local role=$1 name=$2
  grep -qP "^\s*${role}\t\Q${name}\E$" "$work/tree.txt" || { echo "missing: $role \"$name\""; fail=1; }
}
for menu in File Edit View Post Reports Fonts Options Help; do expect "menu item" "$menu"; done
for button in "Post Reports" "Meeting Attendance" "Edit Publishers" "Field Service Groups" \
              "Telephone List" "Quick Overview" "Missing Reports" "Exit Program"; do
  expect "push button" "$button"
done
expect "tool bar" "Toolbar"
expect "push button" "Save"
# Nothing in the window is left without a name where a screen reader would stop on it.
unnamed=$(grep -P "^\s*(push button|menu item|text|combo box|list)\t$" "$work/tree.txt")
[ -z "$unnamed" ] || { echo "unnamed controls:"; echo "$unnamed"; fail=1; }
if [ $fail -ne 0 ]; then
  echo "--- the tree as the bus shows it:"; head -n 80 "$work/tree.txt"
  exit 1
fi
echo "menus, toolbar and action panel buttons found on the accessibility bus"
exit 0
