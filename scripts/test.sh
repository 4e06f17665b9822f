#!/usr/bin/env bash
# From a fresh clone: installs what is needed, builds everything in build/ and runs the test
# suite. The last thing it prints is CTest's summary.
# FOLDWISE_SANITIZE=ON builds and runs it under AddressSanitizer and UndefinedBehaviorSanitizer
# instead (in build-sanitize/ unless FOLDWISE_BUILD_DIR says otherwise), as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh
sanitize=${FOLDWISE_SANITIZE:-OFF}
if [ "$sanitize" = "ON" ]; then
  build_dir=${FOLDWISE_BUILD_DIR:-build-sanitize}
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
else
  build_dir=${FOLDWISE_BUILD_DIR:-build}
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFOLDWISE_WERROR=ON \
  -DFOLDWISE_SANITIZE="$sanitize"
cmake --build "$build_dir" -j2
ctest --test-dir "$build_dir" -j2 --output-on-failure --no-tests=error
