#!/bin/sh
# Configures (once) and builds the given targets of the clang tree with
# AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's coverage
# hooks, which both the sanitizer test run and the fuzz targets use.
#
#   scripts/sanitizer-tree.sh BUILD_FOLDER [TARGET...]    (no target: everything)
set -eu
cd "$(dirname "$0")/.."
build=$1
shift
if ! command -v clang >/dev/null 2>&1 || ! command -v clang++ >/dev/null 2>&1; then
    echo "rockpile: clang is missing: install the Debian packages 'clang' and 'libclang-rt-14-dev'" >&2
    exit 1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROCKPILE_FUZZ=ON \
        -DROCKPILE_WERROR=ON -DROCKPILE_BUILD_BENCH=OFF >/dev/null
fi
if [ $# -eq 0 ]; then
    cmake --build "$build" -j"${ROCKPILE_JOBS:-2}"
else
    cmake --build "$build" -j"${ROCKPILE_JOBS:-2}" --target "$@"
fi
