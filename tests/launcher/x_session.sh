# Helpers for the scripts that drive the program under an X server.

# A scratch folder with its own settings store; the program started as $pid
# is killed when the script ends.
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
store="$XDG_CONFIG_HOME/Kestrelworks"

# The launcher's main window (the default game's title), found and kept in
# $launcher; the game's own window, of the same title, in $game.
title='^Driftrock Classic$'
launcher_found() {
    launcher=$(visible "$title" | head -n 1)
    [ -n "$launcher" ]
}
launcher_only() { [ "$(visible "$title")" = "$launcher" ]; }
game_up() {
    game=$(visible "$title" | grep -v -x "$launcher" | head -n 1)
    [ -n "$game" ]
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    limit=$(($1 * 10))
    shift
    i=0
    until "$@"; do
        i=$((i + 1))
        [ "$i" -lt "$limit" ] || return 1
        sleep 0.1
    done
}

# Visible windows whose name matches the pattern $1.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }

# Reports the program's output and the windows on the screen, and fails.
fail() {
    echo "$script: $*" >&2
    [ -f "$work/stderr" ] && sed 's/^/  rockpile: /' "$work/stderr" >&2
    for window in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  visible window $window: $(xdotool getwindowname "$window" 2>&1)" >&2
    done
    # With none visible: the hidden ones, and whether xdotool reaches the server at all.
    for window in $(xdotool search --name '.' 2>/dev/null); do
        echo "  hidden or visible window $window: $(xdotool getwindowname "$window" 2>&1)" >&2
    done
    echo "  xdotool on $DISPLAY: $(xdotool getmouselocation 2>&1)" >&2
    kill -0 "$pid" 2>/dev/null || echo "  the program is no longer running" >&2
    exit 1
}

# Clicks at ($2, $3) in window $1, at once: the launcher takes each click
# where it happened even when the next one follows before it draws.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Presses the launcher's EXIT button and expects the program to end cleanly.
# With a short idle time a demo may start again before the press lands, and
# the press then only ends the demo: EXIT is pressed again once the launcher
# is back.
exit_launcher() {
    for attempt in 1 2 3; do
        click "$launcher" 415 532    # "EXIT"
        wait_for 15 sh -c "! kill -0 $pid 2>/dev/null" && break
        [ "$attempt" -lt 3 ] || fail "EXIT did not end the program"
        echo "$script: EXIT pressed again (attempt $attempt)" >&2
        wait_for 30 launcher_only || true
    done
    status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
