#!/bin/sh
# Installs what is missing, builds rockpile and runs every test; then the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# each fuzz target for a short time, and a short soak of every game.
set -eu
cd "$(dirname "$0")"
./scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROCKPILE_WERROR=ON
cmake --build build -j"$(nproc)"
(cd build && ctest --output-on-failure -j"$(nproc)")

ROCKPILE_JOBS=$(nproc) ./scripts/sanitize.sh
ROCKPILE_JOBS=$(nproc) ROCKPILE_FUZZ_SEED=${ROCKPILE_FUZZ_SEED:-1} ./scripts/fuzz.sh "${ROCKPILE_FUZZ_SECONDS:-30}"
./scripts/soak.sh "${ROCKPILE_SOAK_SECONDS:-14400}"
