#!/bin/sh
# Runs the browser test on a built page: installs its Node packages
# (puppeteer-core and pngjs, as package-lock.json pins them) into
# tests/web/node_modules when missing, then drives headless Chromium.
# usage: tests/web/run.sh PAGE_FOLDER OUTPUT_FOLDER
set -eu
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 2 ] || { echo "usage: $0 PAGE_FOLDER OUTPUT_FOLDER" >&2; exit 2; }
for tool in node npm; do
    command -v $tool >/dev/null 2>&1 || { echo "rockpile: the browser test needs $tool (./scripts/ensure-deps.sh installs it)" >&2; exit 1; }
done
[ -x "${ROCKPILE_CHROMIUM:-/usr/bin/chromium}" ] ||
    { echo "rockpile: the browser test needs Chromium at ${ROCKPILE_CHROMIUM:-/usr/bin/chromium}" >&2; exit 1; }
if [ ! -d "$here/node_modules" ] || [ "$here/package-lock.json" -nt "$here/node_modules" ]; then
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
fi
exec node "$here/browser_test.mjs" "$1" "$2"
