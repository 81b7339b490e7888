#!/bin/sh
# Installs what is missing, builds the browser page into build-web/ and serves
# it on http://127.0.0.1:8000/ for a local browser. With --build-only: builds
# only. The libraries built for the browser are kept between runs (see
# scripts/web-deps.sh); the game library comes from a desktop build in
# build-run/ (or ROCKPILE_WEB_LIBRARY).
set -eu
cd "$(dirname "$0")"
build_only=0
case "${1:-}" in
  --build-only) build_only=1 ;;
  "") ;;
  *) echo "usage: $0 [--build-only]" >&2; exit 2 ;;
esac
./scripts/ensure-deps.sh --web
# emcc's optimiser needs Debian's node-acorn, found only in Debian's module folder.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
jobs=${ROCKPILE_JOBS:-$(nproc)}

# The game library, made by the desktop build's tools (ROCKPILE_WEB_LIBRARY
# names one already built).
library=${ROCKPILE_WEB_LIBRARY:-}
if [ -z "$library" ]; then
    cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DROCKPILE_BUILD_TESTS=OFF -DROCKPILE_BUILD_BENCH=OFF >/dev/null
    cmake --build build-run -j"$jobs" --target rockpile-library
    library=build-run/share/rockpile/kwrockpile.lib
fi

prefix=$(ROCKPILE_JOBS=$jobs ./scripts/web-deps.sh | tail -1)
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release -DROCKPILE_BUILD_TESTS=OFF -DROCKPILE_BUILD_BENCH=OFF \
    -DROCKPILE_WEB_PREFIX="$prefix" -DROCKPILE_WEB_LIBRARY="$(realpath "$library")" >/dev/null
cmake --build build-web -j"$jobs" --target rockpile
ls -l build-web/bin/rockpile.html build-web/bin/rockpile.js build-web/bin/rockpile.wasm build-web/bin/rockpile.data

[ "$build_only" = 1 ] && exit 0
echo "rockpile: serving the page on http://127.0.0.1:8000/rockpile.html (Ctrl+C stops)"
exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web/bin
