#!/usr/bin/env bash
# init-month, backup and restore through zarim-cli with little room on the disk
# (ZARIM_FREE_BYTES): each run either succeeds with the new data, or fails with a message
# and a non-zero exit, leaving the data exactly as they were and no set that restore takes.
# Last, a restore over a pipe planted in place of a data file is refused by the file's name
# instead of hanging.
# usage: free_space_sweep.sh ZARIM_CLI ZARIM_DEMO WORKDIR [LEVELS]
set -euo pipefail
cli=$1 demo=$2 work=$3 levels=${4:-12}
today=2026-12-08
rm -rf "$work" && mkdir -p "$work/sets"
run() { local d=$1; shift; "$cli" --data "$d" --today "$today" "$@"; }
dump() { run "$1" dump; }

"$demo" "$work/base" --today "$today" >/dev/null
room=$(du -sb "$work/base" | cut -f1)

# The states: a backup set of the base, the month closed, then initialized again.
cp -a "$work/base" "$work/backed"
run "$work/backed" backup --to "$work/sets" >/dev/null
cp -a "$work/backed" "$work/closed"
run "$work/closed" close-month >/dev/null
cp -a "$work/closed" "$work/inited"
run "$work/inited" init-month --yes >/dev/null 2>&1
cp -a "$work/inited" "$work/restored"
run "$work/restored" restore --latest >/dev/null 2>&1
new_init=$(dump "$work/inited")
new_restore=$(dump "$work/restored")

failed=0 passed=0 mixed=0
sweep() {  # NAME START_STATE EXPECTED_NEW_DUMP COMMAND...
  local name=$1 start=$2 expected=$3; shift 3
  for ((i = 0; i <= levels; i++)); do
    local free=$((room * 3 * i / levels)) d="$work/try"
    rm -rf "$d" && cp -a "$work/$start" "$d"
    local before; before=$(dump "$d")
    if ZARIM_FREE_BYTES=$free run "$d" "$@" >"$work/out" 2>"$work/err"; then
      passed=$((passed + 1))
      if [[ -n "$expected" && "$(dump "$d")" != "$expected" ]]; then
        echo "$name with $free bytes free: exit 0 but not the new data"; mixed=$((mixed + 1))
      fi
    else
      failed=$((failed + 1))
      [[ -s "$work/err" ]] || { echo "$name with $free bytes free: failed without a message"; exit 1; }
      if [[ "$(dump "$d")" != "$before" ]]; then
        echo "$name with $free bytes free: failed and changed the data"; mixed=$((mixed + 1))
      fi
    fi
  done
}
sweep init-month closed "$new_init" init-month --yes
sweep restore inited "$new_restore" restore --latest
# A backup that failed leaves no set that restore takes (none carries the marker); one
# that succeeded leaves a marked set.
for ((i = 0; i <= levels; i++)); do
  free=$((room * 2 * i / levels)) d="$work/try"
  rm -rf "$d" "$work/newsets" && cp -a "$work/backed" "$d" && mkdir "$work/newsets"
  if ZARIM_FREE_BYTES=$free run "$d" backup --to "$work/newsets" >"$work/out" 2>"$work/err"; then
    passed=$((passed + 1))
    ls "$work"/newsets/Zr9_*/zset.done >/dev/null 2>&1 || { echo "backup $free: no marker"; mixed=$((mixed + 1)); }
  else
    failed=$((failed + 1))
    [[ -s "$work/err" ]] || { echo "backup with $free bytes free: failed without a message"; exit 1; }
    if ls "$work"/newsets/Zr9_*/zset.done >/dev/null 2>&1; then
      echo "backup with $free bytes free: failed but left a marked set"; mixed=$((mixed + 1))
    fi
  fi
done
# A pipe in place of a data file: nothing waits on it; the folder is refused by the file's
# name, before anything is read or written, and the pipe is left for the user to remove.
cp -a "$work/inited" "$work/pipe" && rm "$work/pipe/meetin9.dat" && mkfifo "$work/pipe/meetin9.dat"
rc=0
timeout 120 "$cli" --data "$work/pipe" --today "$today" restore --latest >/dev/null 2>"$work/err" || rc=$?
[[ $rc -ne 124 ]] || { echo "restore over a pipe hung"; exit 1; }
[[ $rc -ne 0 ]] || { echo "restore over a pipe was not refused"; exit 1; }
[[ -p "$work/pipe/meetin9.dat" ]] || { echo "the refused restore changed the pipe"; exit 1; }
grep -q "meetin9.dat" "$work/err" || { echo "the pipe was not named"; exit 1; }

echo "free-space sweep: $passed succeeded, $failed refused with a message, $mixed mixed"
[[ $mixed -eq 0 && $failed -gt 0 && $passed -gt 0 ]]
