#!/bin/sh
# Soak test: each game plays headless under the autopilot for GAME_SECONDS
# of game time (default 14400, four hours) at 60 frames per second,
# restarting after every game over. Prints frames, games played and resident
# memory per game: the highest during the first half of the run (warm-up),
# the peak and the final; fails when the second half rises above the warm-up
# level by more than ROCKPILE_SOAK_SLACK_KB (default 8192).
#
#   scripts/soak.sh [GAME_SECONDS] [GAME...]     games: catalogue indexes 0-3
#
# Uses build/bin/rockpile and build/share/rockpile/kwrockpile.lib, or the
# build folder in ROCKPILE_BUILD.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-14400}
[ $# -gt 0 ] && shift
games=${*:-0 1 2 3}
build=${ROCKPILE_BUILD:-build}
slack=${ROCKPILE_SOAK_SLACK_KB:-8192}
program="$build/bin/rockpile"
library="$build/share/rockpile/kwrockpile.lib"
[ -x "$program" ] && [ -f "$library" ] || { echo "soak: build $program and $library first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
frames=$((seconds * 60))
failed=0

# The resident and peak resident set of a process, in kB ("" once it has gone).
memory() {
    awk '/^VmRSS:/ {rss = $2} /^VmHWM:/ {hwm = $2} END {if (rss) print rss, hwm}' "/proc/$1/status" 2>/dev/null || true
}

for game in $games; do
    samples="$work/samples-$game"
    : >"$samples"
    start=$(date +%s)
    XDG_CONFIG_HOME="$work/config" "$program" --play --game "$game" --headless --autopilot --batch \
        --fixed-dt 0.0166667 --frames "$frames" --seed "$((game + 1))" --stats --library "$library" \
        >"$work/stats-$game" 2>"$work/stderr-$game" &
    pid=$!
    while m=$(memory "$pid") && [ -n "$m" ]; do
        echo "$m" >>"$samples"
        sleep 0.1
    done
    status=0
    wait "$pid" || status=$?
    wall=$(($(date +%s) - start))
    stats=$(cat "$work/stats-$game")
    if [ "$status" -ne 0 ] || [ -z "$stats" ]; then
        echo "soak: game $game ended with status $status" >&2
        cat "$work/stderr-$game" >&2
        failed=1
        continue
    fi
    field() { echo "$stats" | sed -n "s/.*\"$1\": \"*\([^,\"}]*\).*/\1/p"; }
    # Warm-up is the first half of the run: memory after it must not rise
    # above the highest it reached during it.
    result=$(awk -v slack="$slack" '
        { rss[NR] = $1; hwm = $2 }
        END {
            if (NR == 0) { print "none"; exit }
            half = int((NR + 1) / 2)
            warm = 0
            for (i = 1; i <= half; i++) if (rss[i] > warm) warm = rss[i]
            late = 0
            for (i = half + 1; i <= NR; i++) if (rss[i] > late) late = rss[i]
            growth = late > warm ? late - warm : 0
            printf "%d %d %d %d %s", warm, hwm, rss[NR], growth, (growth > slack ? "GROWING" : "flat")
        }' "$samples")
    if [ "$result" = none ]; then
        echo "soak: game $game left no memory samples" >&2
        failed=1
        continue
    fi
    # shellcheck disable=SC2086
    set -- $result
    printf 'soak %-18s %7s frames %4s games %5ss wall  rss kB: warm %s peak %s final %s growth %s  %s\n' \
        "\"$(field game)\"" "$(field frames)" "$(field gamesOver)" "$wall" "$1" "$2" "$3" "$4" "$5"
    [ "$5" = flat ] || failed=1
done
exit "$failed"
