#!/bin/sh
# Installs the Debian packages rockpile needs to build, test and run, and
# fails with their names if they cannot be installed. With --run: only those
# that building and running the program need; with --web: those that the
# browser page needs to be built (and, for --web and the tests, the source
# package entries its libraries are built from).
set -eu

PACKAGES="build-essential cmake pkg-config libgl1-mesa-dri libegl1
libsdl2-dev libepoxy-dev libstb-dev libimgui-dev libopenal-dev
libfreetype-dev libfontconfig-dev fonts-liberation2 libglu1-mesa-dev
libturbojpeg0-dev"
WEB_PACKAGES="emscripten dpkg-dev python3 nodejs"
case "${1:-}" in
    --run) ;;
    --web) PACKAGES="$PACKAGES $WEB_PACKAGES" ;;
    "") PACKAGES="$PACKAGES xvfb xauth xdotool libgtest-dev libbenchmark-dev libx11-dev
clang libclang-rt-14-dev appstream desktop-file-utils lintian man-db x11-utils x11-apps python3
$WEB_PACKAGES chromium" ;;
    *) echo "usage: $0 [--run|--web]" >&2; exit 2 ;;
esac
# npm comes with some builds of nodejs and as a package of its own with Debian's.
if [ "${1:-}" != --run ] && ! command -v npm >/dev/null 2>&1; then PACKAGES="$PACKAGES npm"; fi

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

# The browser's libraries are built from Debian's source packages: apt needs
# a deb-src entry beside each deb entry of the system's own sources.
has_source_entries() {
    grep -qs '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources ||
        grep -qs '^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list
}
source_entries=""
if [ "${1:-}" != --run ] && ! has_source_entries; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        source_entries=$(sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources)
    elif [ -f /etc/apt/sources.list ]; then
        source_entries=$(sed -n 's/^deb /deb-src /p' /etc/apt/sources.list)
    fi
fi

missing=$(missing_packages)
[ -z "$missing" ] && [ -z "$source_entries" ] && exit 0

[ -n "$missing" ] && echo "rockpile: installing missing packages: $missing"
[ -n "$source_entries" ] && echo "rockpile: adding source package entries (deb-src) for the browser's libraries"
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
if [ -n "$source_entries" ]; then
    case "$source_entries" in
        *Types:*) target=/etc/apt/sources.list.d/rockpile-src.sources ;;
        *) target=/etc/apt/sources.list.d/rockpile-src.list ;;
    esac
    printf '%s\n' "$source_entries" | $SUDO tee "$target" >/dev/null
fi
$SUDO apt-get update -q || true
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing || true

still=$(missing_packages)
if [ -n "$still" ]; then
    echo "rockpile: these packages could not be installed: $still" >&2
    exit 1
fi
