#!/bin/sh
# Every launcher window and settings tab drawn and read back (run it with
# tests/x_server.sh): each picture must exist and hold more than a blank window.
#
#   launcher_shots.sh PROGRAM LIBRARY
set -eu
program=$1
library=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
XDG_CONFIG_HOME="$work/config" "$program" --library "$library" --launcher-shots "$work/shots"
for name in launcher gamelist quickstart error confirm launcher-game launcher-graphics launcher-sound \
    launcher-advanced launcher-cheat launcher-controls launcher-about; do
    picture="$work/shots/$name.png"
    [ -f "$picture" ] || { echo "launcher_shots: no $name.png" >&2; exit 1; }
    # A flat window compresses to almost nothing.
    [ "$(wc -c <"$picture")" -gt 4000 ] || { echo "launcher_shots: $name.png is blank" >&2; exit 1; }
done
# The settings panel differs from tab to tab.
[ "$(cksum <"$work/shots/launcher-game.png")" != "$(cksum <"$work/shots/launcher-sound.png")" ] ||
    { echo "launcher_shots: the tabs look alike" >&2; exit 1; }
# The launcher draws with the faces the game library carries: with
# fontconfig finding no fonts at all, every picture is the same, and no face
# is reported missing.
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$work/no-fonts.conf"
FONTCONFIG_FILE="$work/no-fonts.conf" XDG_CONFIG_HOME="$work/config" "$program" --batch --library "$library" \
    --launcher-shots "$work/unfonted" 2>"$work/unfonted.err"
if grep "No font face" "$work/unfonted.err" >&2; then
    echo "launcher_shots: a face was missing without fontconfig" >&2
    exit 1
fi
for picture in "$work"/shots/*.png; do
    cmp -s "$picture" "$work/unfonted/$(basename "$picture")" ||
        { echo "launcher_shots: $(basename "$picture") differs without fontconfig's fonts" >&2; exit 1; }
done
# A folder that cannot be made fails the run rather than passing quietly.
echo "not a folder" >"$work/blocker"
if XDG_CONFIG_HOME="$work/config" "$program" --library "$library" --launcher-shots "$work/blocker/shots" 2>/dev/null; then
    echo "launcher_shots: a folder that cannot be made was reported as success" >&2
    exit 1
fi
echo "launcher_shots: passed"
