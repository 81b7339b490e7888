#!/bin/sh
# Records the stored regression replays again, after a deliberate change to
# play: two short autopilot games per game of the pack, one headless with a
# fixed frame time and one in a window with measured frame times. They go to
# v2/ (the current format); the format 1 recordings beside this script were
# made by the same commands and are kept as they are.
#   tests/replays/record.sh [BUILD_DIR]     (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/v2"
mkdir -p "$out"
build=${1:-build}
bin="$build/bin/rockpile"
lib="$build/share/rockpile/kwrockpile.lib"
export XDG_CONFIG_HOME="$(mktemp -d)"
export SDL_NO_SIGNAL_HANDLERS=1
seed=1
for game in driftrock-classic driftrock-retro meteor-marshal shardstorm; do
    index=$((seed - 1))
    "$bin" --play --game "$index" --headless --autopilot --difficulty 2 --fixed-dt 0.016667 --frames 1500 \
        --seed "$seed" --batch --library "$lib" --record "$out/$game-headless.rpl"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$bin" --play --game "$index" --windowed --size 800x600 --autopilot \
        --difficulty 4 --frames 900 --seed "$((seed + 10))" --batch --library "$lib" --record "$out/$game-window.rpl"
    seed=$((seed + 1))
done
rm -rf "$XDG_CONFIG_HOME"
