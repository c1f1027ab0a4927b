#!/usr/bin/env bash
# Runs every benchmark program of a release build and the long crash-during-save trials.
# usage: bench/run.sh BUILD_DIR FULL_DEMO_DIR
set -euo pipefail
build=${1:-build/release}
full=${2:-build/full}
for b in "$build"/bench/bench_*; do
  [[ -x "$b" ]] || continue
  echo "== $(basename "$b")"
  ZARIM_FULL_DEMO="$full" "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
# Peak memory of loading the full folder with the command-line program.
if [[ -x "$build/src/cli/zarim-cli" ]]; then
  echo "== peak memory of 'zarim-cli info' on the full folder"
  /usr/bin/time -f "%M KiB" "$build/src/cli/zarim-cli" --data "$full" info >/dev/null
fi
if [[ -x "$build/tests/test_core" ]]; then
  echo "== crash during save, ${ZARIM_CRASH_TRIALS:=2000} trials"
  ZARIM_CRASH_TRIALS=$ZARIM_CRASH_TRIALS "$build/tests/test_core" --gtest_filter='CrashDuringSave.*'
fi
if [[ -x "$build/tests/test_cli" ]]; then
  echo "== zarim-cli processes: ${ZARIM_CONCURRENT_POSTS:=60} concurrent posts, ${ZARIM_FREE_LEVELS:=80} free-space levels"
  ZARIM_CONCURRENT_POSTS=$ZARIM_CONCURRENT_POSTS ZARIM_FREE_LEVELS=$ZARIM_FREE_LEVELS \
    ZARIM_HOSTILE_EVERY_FILE=1 "$build/tests/test_cli"
fi
