#!/bin/sh
# Installs what is missing, builds rockpile into build/ and runs every test;
# then builds the .deb and checks it (lintian, manual pages); then builds the
# browser page and flies a game on it in headless Chromium; then the whole
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# each fuzz target for a short time, and a short soak of every game.
# With --quick: the build and the test suite only, for a developer's loop.
set -eu
cd "$(dirname "$0")"
quick=0
case "${1:-}" in
  --quick) quick=1 ;;
  "") ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac
./scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROCKPILE_WERROR=ON
cmake --build build -j"$(nproc)"
(cd build && ctest --output-on-failure -j"$(nproc)")
[ "$quick" = 1 ] && exit 0

./packaging/deb_check.sh build

# The browser page, built from the same sources, in headless Chromium.
ROCKPILE_WEB_LIBRARY=build/share/rockpile/kwrockpile.lib ./web.sh --build-only
tests/web/run.sh build-web/bin build/web-test

ROCKPILE_JOBS=$(nproc) ./scripts/sanitize.sh
ROCKPILE_JOBS=$(nproc) ROCKPILE_FUZZ_SEED=${ROCKPILE_FUZZ_SEED:-1} ./scripts/fuzz.sh "${ROCKPILE_FUZZ_SECONDS:-30}"
./scripts/soak.sh "${ROCKPILE_SOAK_SECONDS:-14400}"
