#!/bin/sh
# Installs what is missing, builds rockpile into build/ and runs it.
# Extra arguments are passed to the program.
set -eu
cd "$(dirname "$0")"
./scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
exec build/bin/rockpile "$@"
