#!/bin/sh
# Builds the .deb from a build folder and checks it as a distribution would:
# lintian reports no error and no warning, and, unpacked into a scratch root,
# the package holds the game in /usr/games, the tools in /usr/bin, the
# copyright file and changelog, and manual pages that render without a warning.
#
#   packaging/deb_check.sh BUILD_FOLDER
set -eu
build=$(cd "$1" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "deb check: $*" >&2; exit 1; }

rm -f "$build"/rockpile_*.deb
log=$(cd "$build" && cpack -G DEB 2>&1) || fail "cpack could not build the package: $log"
set -- "$build"/rockpile_*.deb
[ -f "$1" ] || fail "cpack made no rockpile_*.deb in $build"
deb=$1

lintian --fail-on error,warning "$deb" || fail "lintian refused $(basename "$deb")"

dpkg-deb -x "$deb" "$root"
for f in usr/games/rockpile usr/bin/rockpile-pack usr/bin/rockpile-inspect \
         usr/share/doc/rockpile/copyright usr/share/doc/rockpile/changelog.gz; do
    [ -f "$root/$f" ] || fail "the package has no /$f"
done
"$root/usr/games/rockpile" --version >/dev/null || fail "the packaged game does not run"

for page in usr/share/man/man6/rockpile.6.gz usr/share/man/man1/rockpile-pack.1.gz \
            usr/share/man/man1/rockpile-inspect.1.gz; do
    [ -f "$root/$page" ] || fail "the package has no /$page"
    problems=$(MANWIDTH=80 man -l --warnings "$root/$page" 2>&1 >/dev/null) ||
        fail "man -l could not render /$page: $problems"
    [ -z "$problems" ] || fail "man -l warns about /$page: $problems"
done
echo "deb check: $(basename "$deb") is lintian-clean and its manual pages render"
