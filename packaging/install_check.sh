#!/bin/sh
# Installs a build into a scratch prefix and checks what a user gets: every
# file in its standard place (the game in games/, the tools in bin/), icons of
# the sizes their folders name, a sound desktop entry and metainfo, and the
# installed game playing a short game with the library it finds from its own
# folder.
#
#   packaging/install_check.sh BUILD_FOLDER
set -eu
build=$(cd "$1" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "install check: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$stage/usr" >/dev/null
cd "$stage/usr"
app=example.kestrelworks.rockpile
desktop=share/applications/$app.desktop
for f in games/rockpile bin/rockpile-pack bin/rockpile-inspect share/rockpile/kwrockpile.lib \
         share/doc/rockpile/rockpile.html share/doc/rockpile/copyright share/doc/rockpile/changelog.gz \
         share/man/man6/rockpile.6.gz share/man/man1/rockpile-pack.1.gz share/man/man1/rockpile-inspect.1.gz \
         "$desktop" share/metainfo/$app.metainfo.xml share/icons/hicolor/scalable/apps/rockpile.svg; do
    [ -f "$f" ] || fail "missing $f"
done

for size in 16 24 32 48 64 128 256; do
    png=share/icons/hicolor/${size}x$size/apps/rockpile.png
    [ -f "$png" ] || fail "missing $png"
    # The PNG header's width and height, big-endian at bytes 16 and 20.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')
    [ "$dims" = "${size}x$size" ] || fail "$png is $dims"
done

exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "games/$exec_program" ] || fail "the desktop entry runs '$exec_program', which is not installed in games/"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the desktop entry's icon '$icon' is not installed"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" share/metainfo/$app.metainfo.xml ||
    fail "the metainfo does not launch $app.desktop"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net share/metainfo/$app.metainfo.xml >/dev/null ||
        fail "appstreamcli refused the metainfo: $(appstreamcli validate --no-net share/metainfo/$app.metainfo.xml)"
fi

stats=$(cd "$stage" && XDG_CONFIG_HOME="$stage/config" "$stage/usr/games/rockpile" --play --headless --batch \
        --frames 30 --fixed-dt 0.02 --stats) || fail "the installed program did not play"
echo "$stats" | grep -q '"frames": 30,.*"missingResources": 0' || fail "unexpected play summary: $stats"
echo "install check: $(find . -type f | wc -l) files installed and sound"
