#!/usr/bin/env bash
# From a fresh clone: installs what is needed, builds everything in build/ and runs the test
# suite. The last thing it prints is CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh
build_dir=${FOLDWISE_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFOLDWISE_WERROR=ON
cmake --build "$build_dir" -j2
ctest --test-dir "$build_dir" -j2 --output-on-failure --no-tests=error
