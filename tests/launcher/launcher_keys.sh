#!/bin/sh
# The launcher without a mouse (run it with tests/x_server.sh): Escape closes the
# quick-start hints; F6 and Escape open and close the game list; then one Return plays the current game; Escape then
# "q" end it. Back at the launcher the settings open, the focus goes up
# into the panel and Return enters it; one Escape closes the panel with the
# focus back on its button, so Left then Return play again. Last, Tab steps
# along the buttons to EXIT.
#
#   launcher_keys.sh PROGRAM LIBRARY
set -eu
script=launcher_keys
program=$1
library=$2
. "$(dirname "$0")/x_session.sh"
mkdir -p "$store"
# A score table no short game gets into.
{
    printf '[kwdriftrock_classic]\n'
    for i in 0 1 2 3 4 5 6 7 8 9; do printf 'name_%s="ACE"\nscore_%s=9999999\n' "$i" "$i"; done
} >"$store/kwdriftrock_classic.ini"

"$program" --library "$library" --demo-after 0 --timings 2>"$work/stderr" &
pid=$!
wait_for 30 launcher_found || fail "the launcher window did not appear"
wait_for 30 xdotool search --onlyvisible --name '^Quick Start$' >/dev/null || fail "no quick-start window"
xdotool windowfocus --sync "$(visible '^Quick Start$')"
xdotool key Escape
wait_for 10 sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^Quick Start\$')\" ]" ||
    fail "Escape did not close the quick-start window"

# F6 hands the keyboard to the game list; Escape closes it and gives the
# keyboard back; F6 brings it back.
list=$(visible '^Games$')
[ -n "$list" ] || fail "no game list window"
list_gone() { [ -z "$(visible '^Games$')" ]; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
xdotool windowfocus --sync "$launcher"
xdotool key F6
wait_for 10 has_focus "$list" || fail "F6 did not give the game list the keyboard"
xdotool key Escape
wait_for 10 list_gone || fail "Escape did not close the game list"
wait_for 10 has_focus "$launcher" || fail "the launcher did not get the keyboard back from the game list"
xdotool key F6
wait_for 10 has_focus "$list" || fail "F6 did not open the game list again"

for round in 1 2; do
    xdotool windowfocus --sync "$launcher"
    # Keys typed ahead act in turn, each in its own frame.
    [ "$round" = 2 ] && xdotool key Right Return Up Return Escape Left
    xdotool key Return
    wait_for 30 game_up || fail "Return did not play (round $round)"
    # Escape pauses, "q" ends the game, and on the high score table "q"
    # leaves; a slow machine may need the last key again.
    xdotool windowfocus --sync "$game"
    xdotool key Escape q
    tries=0
    until wait_for 2 launcher_only; do
        tries=$((tries + 1))
        [ "$tries" -le 10 ] || fail "the launcher did not come back after the game"
        xdotool windowfocus --sync "$game" key q 2>/dev/null || true  # the game may be gone by now
    done
done
# Tab and Shift+Tab step in reading order, wrapping round the rows: from
# Play to Settings, Instructions, back to Settings and Play, then on to EXIT.
xdotool windowfocus --sync "$launcher"
xdotool key Tab Tab shift+Tab shift+Tab Tab Tab Tab Tab Return
wait_for 15 sh -c "! kill -0 $pid 2>/dev/null" || fail "Tab and Return did not reach and press EXIT"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "$script: passed"
