#!/bin/sh
# Runs a command under a virtual X server of its own. The server takes a
# free display number itself (-displayfd); the tests that use it hold the
# "x_server" resource lock, so that no two servers start or end together.
#
#   x_server.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENT...]
set -eu
screen=$1
shift
folder=$(mktemp -d)
server=
# The server is waited for: the next test's server starts after it is gone.
trap '[ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$folder/display" 2>"$folder/log" &
server=$!
i=0
until [ -s "$folder/display" ]; do
    i=$((i + 1))
    if [ "$i" -gt 300 ] || ! kill -0 "$server" 2>/dev/null; then
        echo "x_server: the virtual X server did not start" >&2
        cat "$folder/log" >&2
        exit 1
    fi
    sleep 0.1
done
DISPLAY=:$(cat "$folder/display")
export DISPLAY
status=0
"$@" || status=$?
# A test that failed because its display went away says so.
if [ "$status" -ne 0 ] && ! kill -0 "$server" 2>/dev/null; then
    echo "x_server: the virtual X server on $DISPLAY ended during the test" >&2
    cat "$folder/log" >&2
fi
exit "$status"
