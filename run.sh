#!/bin/sh
# Installs what is missing, builds the program and its game library into
# build-run/ (nothing else: no tests, benchmarks or tools it does not need)
# and runs it. Extra arguments are passed to the program.
set -eu
cd "$(dirname "$0")"
./scripts/ensure-deps.sh --run
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DROCKPILE_BUILD_TESTS=OFF -DROCKPILE_BUILD_BENCH=OFF >/dev/null
cmake --build build-run -j"$(nproc)" --target rockpile rockpile-library
exec build-run/bin/rockpile "$@"
