#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60) on the seed corpus.
# Inputs that crash are copied into fuzz/regressions/, which the test suite replays.
#
#   fuzz/run.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
seconds=${1:-60}
build=${2:-$here/../build-fuzz}
CXX=clang++ cmake -S "$here/.." -B "$build" -DTORVI_FUZZ=ON -DTORVI_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target load_fuzzer convert_fuzzer >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in load_fuzzer convert_fuzzer; do
  corpus=$work/$target
  mkdir -p "$corpus" "$work/crashes"
  python3 "$here/make_corpus.py" "$corpus"
  cp "$here"/regressions/* "$corpus"/ 2>/dev/null || true
  echo "== $target, ${seconds}s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -dict="$here/bmp.dict" -max_len=4096 \
      -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$work/crashes/" -print_final_stats=1 \
      "$corpus" 2>"$work/$target.log"; then
    status=1
  fi
  grep -E "^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec|cov:)" "$work/$target.log" | tail -3 || true
  grep -E "ERROR|SUMMARY" "$work/$target.log" || true
done
for f in "$work"/crashes/*; do
  [[ -e $f ]] || continue
  cp "$f" "$here/regressions/"
  echo "new finding: fuzz/regressions/$(basename "$f")"
done
exit $status
