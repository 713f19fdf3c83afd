#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (ASan + UBSan) and runs each for SECONDS,
# starting from the checked-in seeds in tests/fuzz/corpus/TARGET. What a run learns is kept in
# BUILD_DIR/corpus/TARGET for the next run; a finding is written to BUILD_DIR/findings/TARGET/ and
# makes the script fail once every target has had its turn.
# Usage: scripts/run-fuzz.sh [BUILD_DIR] [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-fuzz}
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTELMO_FUZZ=ON -DTELMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --target fuzz_targets

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for src in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

# shellcheck source=scripts/sanitizer-env.sh
source scripts/sanitizer-env.sh
failed=()
for t in "${targets[@]}"; do
  corpus="$build_dir/corpus/$t"
  findings="$build_dir/findings/$t"
  mkdir -p "$corpus" "$findings"
  echo "== $t: ${seconds}s"
  # -timeout: one input may take this long (a hang is a finding); -rss_limit_mb: memory per process.
  if "$build_dir/tests/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "tests/fuzz/corpus/$t" \
      >"$build_dir/$t.log" 2>&1; then
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' "$build_dir/$t.log" || true
  else
    failed+=("$t")
    tail -n 60 "$build_dir/$t.log"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]} (inputs in $build_dir/findings/)" >&2
  exit 1
fi
echo "fuzz: no findings in ${#targets[@]} targets"
