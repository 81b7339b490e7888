#!/bin/sh
# Plays every recorded game of tests/replays/ back headless in the browser
# build's program under Node (build-web/bin/rockpile-node.js) and says, per
# game, whether it verifies frame for frame against the desktop's recording.
# Exits 1 when one does not. A report for the browser build, not part of
# ./test.sh: WebAssembly's maths library rounds sin, cos, tan, acos and atan2
# differently from glibc in the last bit for some arguments, and some games
# drift apart from there.
# usage: tests/web/replays.sh [LIBRARY]   (default build/share/rockpile/kwrockpile.lib)
set -eu
cd "$(dirname "$0")/../.."
library=$(realpath "${1:-build/share/rockpile/kwrockpile.lib}")
program=build-web/bin/rockpile-node.js
if [ ! -f "$program" ]; then
    NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH} cmake --build build-web --target rockpile-node >/dev/null
fi
failed=0
for replay in tests/replays/*.rpl tests/replays/v2/*.rpl; do
    # Node 20 runs this Emscripten's output only without its own fetch.
    if ! node --no-experimental-fetch "$program" --replay "$replay" --headless --verify --batch --library "$library"; then
        failed=1
    fi
done
exit $failed
