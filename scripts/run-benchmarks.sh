#!/usr/bin/env bash
# Runs every benchmark program of a build folder, one after the other.
set -eu
build_dir=${1:-build}
found=0
for b in "$build_dir"/bench/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2 "${@:2}"
done
[ "$found" = 1 ] || { echo "no benchmark programs in $build_dir/bench" >&2; exit 1; }
echo "== telmo-cli as a whole process against tr, perl, sed and opencc"
bash "$(dirname "$0")/../bench/whole-process.sh" "$build_dir" "${BENCH_MEGABYTES:-100}" "${BENCH_RUNS:-3}"
