#!/bin/sh
# Builds the fuzz targets with clang and libFuzzer (in build-asan/, shared
# with the sanitizer test run) and runs each for SECONDS (default 30), one
# after another.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: gamelib xfile wav jpeg bmp settings label replay
#
# ROCKPILE_FUZZ_SEED fixes libFuzzer's random seed (the test run uses 1, so
# that it explores the same inputs every time); unset, each run draws its own.
#
# Seeds come from tests/fuzz/corpus/<target> (and tests/fuzz/regressions/).
# What a run discovers goes to ROCKPILE_FUZZ_CORPUS/<target> when that names a
# folder outside the source and build trees, kept to grow between long runs;
# unset, to a temporary folder removed at the end, so that every run (the
# test run's short ones included) starts from the checked-in seeds alone. A
# crash input is written to build-asan/crashes/<target>/ and the script exits
# 1 at the end.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-gamelib xfile wav jpeg bmp settings label replay}
build=${ROCKPILE_SANITIZE_BUILD:-build-asan}

set --
for t in $targets; do set -- "$@" "fuzz_$t"; done
scripts/sanitizer-tree.sh "$build" "$@"

if [ -n "${ROCKPILE_FUZZ_CORPUS:-}" ]; then
    case "$ROCKPILE_FUZZ_CORPUS" in
        /*) grown=$ROCKPILE_FUZZ_CORPUS ;;
        *) grown=$(pwd)/$ROCKPILE_FUZZ_CORPUS ;;
    esac
    case "$grown/" in
        "$(pwd)"/*)
            echo "fuzz: ROCKPILE_FUZZ_CORPUS must be outside the source and build trees ($grown)" >&2
            exit 2
            ;;
    esac
    mkdir -p "$grown"
else
    grown=$(mktemp -d "${TMPDIR:-/tmp}/rockpile-fuzz.XXXXXX")
    trap 'rm -rf "$grown"' EXIT
fi

export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan-suppressions.txt:print_suppressions=0"
failed=""
for t in $targets; do
    corpus="$grown/$t"
    crashes="$build/crashes/$t"
    mkdir -p "$corpus" "$crashes"
    dict=""
    [ -f "tests/fuzz/$t.dict" ] && dict="-dict=tests/fuzz/$t.dict"
    seeds="tests/fuzz/corpus/$t"
    [ -d "tests/fuzz/regressions/$t" ] && seeds="$seeds tests/fuzz/regressions/$t"
    log="$build/fuzz-$t.log"
    start=$(date +%s)
    # shellcheck disable=SC2086
    if "$build/bin/fuzz_$t" -seed="${ROCKPILE_FUZZ_SEED:-0}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -close_fd_mask=3 \
        -print_final_stats=1 -artifact_prefix="$crashes/" $dict "$corpus" $seeds >"$log" 2>&1; then
        status=ok
    else
        status=CRASH
        failed="$failed $t"
    fi
    took=$(($(date +%s) - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    printf 'fuzz %-9s %4ss  %10s runs  %7s exec/s  corpus %5s files  %s\n' "$t" "$took" "${runs:-?}" \
        "${rate:-?}" "$(find "$corpus" -type f | wc -l)" "$status"
    if [ "$status" = CRASH ]; then
        grep -E 'ERROR|SUMMARY|property failed|Test unit written' "$log" | head -5 >&2 || true
    fi
done
if [ -n "$failed" ]; then
    echo "fuzz: crashes in:$failed (inputs in $build/crashes/)" >&2
    exit 1
fi
