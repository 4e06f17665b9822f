#!/usr/bin/env bash
# From a fresh clone: installs what is needed, builds fexplore-sim and runs the Explorer with the
# module on the sample device, playing its tour (examples/scripts/tour.txt). Extra arguments go
# to fexplore-sim (e.g. --script FILE to play another script).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh
build_dir=${FOLDWISE_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFOLDWISE_WERROR=ON
cmake --build "$build_dir" -j2 --target fexplore-sim foldwise
if [ $# -eq 0 ]; then
  set -- --script examples/scripts/tour.txt
fi
exec "$build_dir/tools/fexplore-sim/fexplore-sim" --image examples/device "$@"
