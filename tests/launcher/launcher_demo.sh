#!/bin/sh
# Attract mode under an X server (run it with tests/x_server.sh): left idle, the
# launcher lets the computer play the current game; F12 takes a picture
# without ending it, any other key ends it and brings the launcher back,
# and nothing the computer scored is stored.
#
#   launcher_demo.sh PROGRAM LIBRARY [PICTURE-FOLDER]
set -eu
script=launcher_demo
program=$1
library=$2
. "$(dirname "$0")/x_session.sh"
export XDG_PICTURES_DIR="${3:-$work/pictures}"

demo_up() {
    demo=$(visible 'Demo' | head -n 1)
    [ -n "$demo" ]
}
launcher_back() { [ -z "$(visible 'Demo')" ] && [ "$(visible "$title")" = "$launcher" ]; }

"$program" --library "$library" --demo-after 2 --timings 2>"$work/stderr" &
pid=$!
wait_for 30 launcher_found || fail "the launcher window did not appear"
wait_for 30 demo_up || fail "the demo did not start after two idle seconds"
[ -z "$(visible '^Driftrock Classic$')" ] || fail "the launcher stayed visible during the demo"
wait_for 30 grep -q "first game frame shown" "$work/stderr" || fail "the demo showed no frame"

xdotool windowfocus --sync "$demo"
xdotool key F12
wait_for 10 sh -c "ls '$XDG_PICTURES_DIR'/rockpile/*.png" >/dev/null 2>&1 || fail "F12 wrote no picture"
demo_up || fail "F12 ended the demo"
xdotool key space
wait_for 30 launcher_back || fail "a key did not end the demo"

exit_launcher
grep -q AUTOPILOT "$store/kwdriftrock_classic.ini" && fail "the demo stored a score"
grep -q '^score_0=0$' "$store/kwdriftrock_classic.ini" || fail "the score table was not stored as it was"
echo "$script: passed"
