#!/usr/bin/env bash
# Runs every fuzz target for a long time (default 600 s each), one after another.
# usage: fuzz/run-long.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=${1:-build/asan}
seconds=${2:-600}
here=$(cd "$(dirname "$0")" && pwd)
for f in "$build"/fuzz/fuzz_*; do
  [[ -x "$f" && ! "$f" =~ \.a$ ]] || continue
  name=$(basename "$f")
  mkdir -p "$build/fuzz/corpus/$name"
  echo "== $name for $seconds s"
  ASAN_OPTIONS=detect_leaks=0 "$f" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 "$build/fuzz/corpus/$name" "$here/seeds/$name" 2>&1 | tail -n 12
done
