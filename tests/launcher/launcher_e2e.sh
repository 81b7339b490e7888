#!/bin/sh
# The whole program under an X server (run it with tests/x_server.sh), driven by real
# X input: the launcher starts with an empty settings folder but for a high
# score; the quick-start hints are ticked away and closed; the high score
# list is reset from the Advanced tab after a confirmation; Play starts the
# game, which runs until Escape then "q" end it; the launcher comes back with
# the settings stored, and EXIT ends the program.
#
#   launcher_e2e.sh PROGRAM LIBRARY
set -eu
script=launcher_e2e
program=$1
library=$2
. "$(dirname "$0")/x_session.sh"
mkdir -p "$store"
printf '[kwdriftrock_classic]\nname_0="BEST"\nscore_0=900\n' >"$store/kwdriftrock_classic.ini"

"$program" --library "$library" --demo-after 0 --timings 2>"$work/stderr" &
pid=$!

wait_for 30 launcher_found || fail "the launcher window did not appear"
# The quick-start hints are up too: start-up has finished.
wait_for 30 xdotool search --onlyvisible --name '^Quick Start$' >/dev/null || fail "no quick-start window"
[ -f "$store/kwrockpile.ini" ] || fail "start-up did not write the pack's settings"
hints=$(visible '^Quick Start$')
click "$hints" 21 261     # "Do not display this dialog in the future"
click "$hints" 224 293    # "Press here to close this window"
wait_for 10 sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^Quick Start\$')\" ]" ||
    fail "the quick-start window did not close"

click "$launcher" 350 496  # "Options / Settings"
click "$launcher" 210 189  # the "Advanced" tab
click "$launcher" 100 382  # "Reset High Score List"
wait_for 10 xdotool search --onlyvisible --name '^Confirm$' >/dev/null || fail "no confirmation was asked"
question=$(visible '^Confirm$')
grep -q '^score_0=900$' "$store/kwdriftrock_classic.ini" || fail "the scores went before the answer"
click "$question" 129 90   # "Yes"
wait_for 10 grep -q '^score_0=0$' "$store/kwdriftrock_classic.ini" || fail "the high score list was not reset"
click "$launcher" 350 496  # the settings panel closes again

click "$launcher" 120 496    # "Click here to Play !"
wait_for 30 game_up || fail "Play did not open the game window"
launcher_only && fail "the launcher stayed visible during the game"
wait_for 30 grep -q "first game frame shown" "$work/stderr" || fail "the game showed no frame"

# Escape pauses, "q" ends the game, and on the high score table "q" leaves;
# a qualifying score asks for a name first, which Return ends. Keys arrive
# in order, but a "q" typed in the frame that ends the name entry is text:
# the last keys may be needed again.
xdotool windowfocus --sync "$game"
xdotool key Escape q
tries=0
until wait_for 2 launcher_only; do
    tries=$((tries + 1))
    [ "$tries" -le 10 ] || fail "the launcher did not come back after the game"
    xdotool key Return q
done

for key in adapter windowed width height inputdevice didsurvey; do
    grep -q "^$key=" "$store/kwrockpile.ini" || fail "kwrockpile.ini lacks $key"
done
for key in difficulty shipHull asteroidHull keyfire mousevelocity pauseonfocusloss name_9 score_9; do
    grep -q -i "^$key=" "$store/kwdriftrock_classic.ini" || fail "kwdriftrock_classic.ini lacks $key"
done

exit_launcher
grep -q "^hidequickstart=1" "$store/kwdriftrock_classic.ini" || fail "the quick-start choice was not stored"
sed "s/^/$script: /" "$work/stderr"
echo "$script: passed"
