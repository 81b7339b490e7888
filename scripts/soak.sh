#!/bin/sh
# Soak test: each game plays headless under the autopilot for GAME_SECONDS
# of game time (default 14400, four hours) at 60 frames per second,
# restarting after every game over. Prints frames, games played and resident
# memory per game, which the program samples every ten seconds of play: the
# highest during the first half of the run (warm-up), during the second half,
# the peak and the final; fails when the second half rises above the warm-up
# level by more than ROCKPILE_SOAK_SLACK_KB (default 4096).
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
slack=${ROCKPILE_SOAK_SLACK_KB:-4096}
program="$build/bin/rockpile"
library="$build/share/rockpile/kwrockpile.lib"
[ -x "$program" ] && [ -f "$library" ] || { echo "soak: build $program and $library first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
frames=$((seconds * 60))
failed=0

for game in $games; do
    start=$(date +%s)
    status=0
    XDG_CONFIG_HOME="$work/config" "$program" --play --game "$game" --headless --autopilot --batch \
        --fixed-dt 0.0166667 --frames "$frames" --seed "$((game + 1))" --stats --library "$library" \
        >"$work/stats-$game" 2>"$work/stderr-$game" || status=$?
    wall=$(($(date +%s) - start))
    stats=$(cat "$work/stats-$game")
    field() { echo "$stats" | sed -n "s/.*\"$1\": \"*\([^,\"}]*\).*/\1/p"; }
    warm=$(field residentWarmKb)
    late=$(field residentLateKb)
    if [ "$status" -ne 0 ] || [ -z "$warm" ] || [ -z "$late" ]; then
        echo "soak: game $game ended with status $status and no memory figures" >&2
        cat "$work/stderr-$game" >&2
        failed=1
        continue
    fi
    growth=$((late > warm ? late - warm : 0))
    verdict=flat
    [ "$growth" -le "$slack" ] || verdict=GROWING
    printf 'soak %-20s %8s frames %4s games %5ss wall  rss kB: warm %s late %s peak %s growth %s  %s\n' \
        "\"$(field game)\"" "$(field frames)" "$(field gamesOver)" "$wall" "$warm" "$late" \
        "$(field residentPeakKb)" "$growth" "$verdict"
    [ "$verdict" = flat ] || failed=1
done
exit "$failed"
