#!/bin/sh
# Installs the Debian packages rockpile needs to build, test and run, and
# fails with their names if they cannot be installed. With --run: only those
# that building and running the program need.
set -eu

PACKAGES="build-essential cmake pkg-config libgl1-mesa-dri libegl1
libsdl2-dev libepoxy-dev libstb-dev libimgui-dev libopenal-dev
libfreetype-dev libfontconfig-dev fonts-liberation2 libglu1-mesa-dev
libturbojpeg0-dev"
case "${1:-}" in
    --run) ;;
    "") PACKAGES="$PACKAGES xvfb xauth xdotool libgtest-dev libbenchmark-dev
clang libclang-rt-14-dev appstream desktop-file-utils lintian man-db x11-utils x11-apps python3" ;;
    *) echo "usage: $0 [--run]" >&2; exit 2 ;;
esac

missing_packages() {
    for p in $PACKAGES; do
        status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
        case "$status" in
            *"install ok installed"*) ;;
            *) printf '%s ' "$p" ;;
        esac
    done
}

if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "rockpile: this set-up script needs Debian 12 (dpkg-query not found)" >&2
    exit 1
fi

missing=$(missing_packages)
[ -z "$missing" ] && exit 0

echo "rockpile: installing missing packages: $missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "rockpile: missing packages: $missing" >&2
    echo "rockpile: run as root or install them with: apt-get install --no-install-recommends $missing" >&2
    exit 1
fi

# --no-install-recommends: a recommended X font package makes SDL message
# boxes block under Xvfb.
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q || true
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing || true

still=$(missing_packages)
if [ -n "$still" ]; then
    echo "rockpile: these packages could not be installed: $still" >&2
    exit 1
fi
