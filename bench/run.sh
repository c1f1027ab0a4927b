#!/usr/bin/env bash
# Runs every benchmark program of a release build, the long crash-during-save trials, the
# kill trials of month initialization, backup, restore and undo (ZARIM_TX_TRIALS) and the
# kill and free-space sweeps of the changing commands (ZARIM_SWEEP_KILLS, ZARIM_SWEEP_LEVELS),
# and the independent audit of reports, lists and exports (bench/audit).
# usage: bench/run.sh BUILD_DIR FULL_DEMO_DIR
set -euo pipefail
build=${1:-build/release}
full=${2:-build/full}
for b in "$build"/bench/bench_*; do
  [[ -x "$b" && "$(basename "$b")" != bench_cli_startup ]] || continue
  echo "== $(basename "$b")"
  ZARIM_FULL_DEMO="$full" "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
# zarim-cli info and --version as whole processes against cat of the same data files.
if [[ -x "$build/bench/bench_cli_startup" ]]; then
  echo "== bench_cli_startup"
  ZARIM_FULL_DEMO="$full" "$build/bench/bench_cli_startup"
fi
# Peak memory of loading the full folder with the command-line program.
if [[ -x "$build/src/cli/zarim-cli" ]]; then
  echo "== peak memory of 'zarim-cli info' on the full folder"
  /usr/bin/time -f "%M KiB" "$build/src/cli/zarim-cli" --data "$full" info >/dev/null
fi
if [[ -x "$build/tests/test_core" ]]; then
  echo "== crash during save, ${ZARIM_CRASH_TRIALS:=2000} trials"
  ZARIM_CRASH_TRIALS=$ZARIM_CRASH_TRIALS "$build/tests/test_core" --gtest_filter='CrashDuringSave.*'
fi
# Month initialization, backup, restore and undo killed at random steps; each trial
# checks that the next start finds the old or the new data, never a mix.
echo "== multi-file changes under kills, ${ZARIM_TX_TRIALS:=500} trials each"
if [[ -x "$build/tests/test_cycle" ]]; then
  ZARIM_TX_TRIALS=$ZARIM_TX_TRIALS "$build/tests/test_cycle" --gtest_filter='MonthInitUnit.Kills*'
fi
if [[ -x "$build/tests/test_backup" ]]; then
  ZARIM_TX_TRIALS=$ZARIM_TX_TRIALS "$build/tests/test_backup" \
    --gtest_filter='RestoreCase.Kills*:BackupSet.EveryFailurePointAndKill*'
fi
# xml import, publisher edit with e-mail, backup, init-month (also --next), csv import and
# the conversion of an older folder as zarim-cli processes: killed before every
# file-changing call, at every call of each file system call (under strace), at random
# moments and with little room on the disk.
if [[ -x "$build/bench/sweep/tx_sweep" && -x "$build/src/cli/zarim-cli" ]]; then
  echo "== command kill and free-space sweeps: ${ZARIM_SWEEP_KILLS:=100} random kills, ${ZARIM_SWEEP_LEVELS:=20} free-space levels each"
  sweep_dir=$(mktemp -d)
  # With strace at hand, each command is also killed at every call of each file system call.
  if [[ -z "${ZARIM_SWEEP_STRACE:-}" ]] && command -v strace >/dev/null; then
    export ZARIM_SWEEP_STRACE=$(command -v strace)
  fi
  "$build/bench/sweep/tx_sweep" "$build/src/cli/zarim-cli" "$sweep_dir" "$ZARIM_SWEEP_KILLS" \
    "$ZARIM_SWEEP_LEVELS"
  rm -rf "$sweep_dir"
fi
if [[ -x "$build/tests/test_cli" ]]; then
  echo "== zarim-cli processes: ${ZARIM_CONCURRENT_POSTS:=60} concurrent posts, ${ZARIM_FREE_LEVELS:=80} free-space levels"
  ZARIM_CONCURRENT_POSTS=$ZARIM_CONCURRENT_POSTS ZARIM_FREE_LEVELS=$ZARIM_FREE_LEVELS \
    ZARIM_HOSTILE_EVERY_FILE=1 "$build/tests/test_cli"
fi
# The independent audit: the reports, View lists and exports of demo folders for several
# working months, worked out from the data files and compared with zarim-cli.
if [[ -x "$build/tools/zarim-demo" && -x "$build/src/cli/zarim-cli" ]]; then
  echo "== independent audit of reports, lists and exports"
  bash "$(dirname "$0")/audit/run.sh" "$build"
fi
