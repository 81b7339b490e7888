#!/bin/sh
# The picture keeps its shape on an X server without a window manager (run
# it with tests/x_server.sh on a 1920x1080 screen): a full-screen 800x600
# game covers the whole screen with the field centred in its own shape and
# black bars beside it, and a windowed game resized from outside to 1200x500
# shows the whole field in its shape inside the window.
#
#   window_shape.sh PROGRAM LIBRARY [PICTURE-FOLDER]
set -eu
script=window_shape
program=$1
library=$2
. "$(dirname "$0")/../launcher/x_session.sh"
pictures=${3:-$work}
mkdir -p "$pictures"
shape="python3 $(dirname "$0")/screen_shape.py"

# Starts the game and waits for its window. Under a heavy load a game has
# now and then found the display unusable though the server answered
# (cause not found); a game that ends before its window appears is started
# again, up to three times, and the script says so.
start() {
    for attempt in 1 2 3; do
        "$program" --play --batch --library "$library" --game "Driftrock Classic" --size 800x600 --fixed-dt 0.02 \
            --seed 3 "$@" 2>"$work/stderr" &
        pid=$!
        wait_for 30 up_or_ended
        window_found && return 0
        kill -0 "$pid" 2>/dev/null && return 1
        echo "$script: the game ended before its window appeared (attempt $attempt):" \
            "$(tail -n 4 "$work/stderr" | tr '\n' ' ')" >&2
        wait "$pid" 2>/dev/null || true
    done
    return 1
}
up_or_ended() { window_found || ! kill -0 "$pid" 2>/dev/null; }
# Ends the game and waits until the server has taken its window down.
stop() {
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
    wait_for 10 no_window || fail "the game's window outlived it"
}
no_window() { ! window_found; }
# Fails with what the last look at the screen found.
fail_shape() { fail "$1: $(cat "$work/shape")"; }
window_found() {
    window=$(xdotool search --onlyvisible --name '^Driftrock' 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
drawn() { xwd -root -silent >"$work/screen.xwd" && $shape "$work/screen.xwd" "$work/x.png" --drawn $(geometry); }
# The screen dump shows the 800x600 picture scaled into the area $2 in its
# own shape.
shows_shape() {
    xwd -root -silent >"$work/screen.xwd" && $shape "$work/screen.xwd" "$pictures/$1.png" 800 600 $2 >"$work/shape" 2>&1
}
geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

start || fail "the full-screen game window did not appear"
wait_for 30 drawn || fail "the full-screen game drew nothing"
[ "$(geometry)" = "0 0 1920 1080" ] || fail "the full-screen window is $(geometry), not the whole screen"
wait_for 10 shows_shape fullscreen "0 0 1920 1080" || fail_shape "the full-screen picture is not centred in its shape"
cat "$work/shape"
stop

start --windowed || fail "the windowed game did not appear"
wait_for 30 drawn || fail "the windowed game drew nothing"
wait_for 10 shows_shape window "$(geometry)" || fail_shape "the window does not show the whole picture"
xdotool windowsize "$window" 1200 500
wait_for 10 sh -c "xwininfo -id $window | grep -q 'Width: 1200'" || fail "the window was not resized"
wait_for 10 shows_shape resized "$(geometry)" || fail_shape "the resized window does not show the picture in its shape"
cat "$work/shape"
stop
echo "window_shape: passed"
