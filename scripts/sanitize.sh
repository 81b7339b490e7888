#!/bin/sh
# Builds the whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, in build-asan/, the tree the fuzz targets
# are built in; benchmarks left out) and runs it.
#
#   scripts/sanitize.sh            ROCKPILE_ASAN_SKIP_GL=1 leaves out the
#                                  OpenGL pixel tests (slow on a software
#                                  renderer under the sanitizers)
set -eu
cd "$(dirname "$0")/.."
build=${ROCKPILE_SANITIZE_BUILD:-build-asan}
scripts/sanitizer-tree.sh "$build"

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan-suppressions.txt:print_suppressions=0"
exclude=""
[ "${ROCKPILE_ASAN_SKIP_GL:-0}" = 1 ] && exclude="-LE gl"
cd "$build"
# shellcheck disable=SC2086
ctest --output-on-failure -j"${ROCKPILE_JOBS:-2}" $exclude
