#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer + UndefinedBehaviorSanitizer and runs it, the GUI
# and end-to-end tests on a private Xvfb as `make test` does. Any sanitizer report fails its test.
# Usage: scripts/test-sanitize.sh [BUILD_DIR] [CTEST_ARG...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-sanitize}
shift $(($# < 1 ? $# : 1))

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELMO_SANITIZE=ON \
  -DTELMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir"
# shellcheck source=scripts/sanitizer-env.sh
source scripts/sanitizer-env.sh
bash scripts/with-xvfb.sh ctest --test-dir "$build_dir" --output-on-failure -j2 "$@"
