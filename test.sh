#!/bin/sh
# Installs what is missing, builds rockpile and runs every test.
set -eu
cd "$(dirname "$0")"
./scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROCKPILE_WERROR=ON
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j"$(nproc)"
