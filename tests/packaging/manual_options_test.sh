#!/bin/sh
# Fails when the manual page of a program leaves out an option or a command
# that the program's --help shows.
#
#   tests/packaging/manual_options_test.sh PROGRAM PAGE
set -eu
program=$1
page=$2
name=$(basename "$program")
help=$("$program" --help) || { echo "$name --help failed" >&2; exit 1; }
# The page's text without font changes, with \- as a plain hyphen.
text=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$page")

options=$(printf '%s\n' "$help" | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u)
# Commands: the word after the program's name in a usage line.
commands=$(printf '%s\n' "$help" | sed -nE "s/^(usage:)? *$name ([a-z]+)( .*)?$/\2/p" | sort -u)
[ -n "$options$commands" ] || { echo "$name --help shows no option or command" >&2; exit 1; }

missing=""
for option in $options; do
    printf '%s\n' "$text" | grep -qE -- "(^|[^a-z0-9-])$option([^a-z0-9-]|\$)" || missing="$missing $option"
done
for command in $commands; do
    printf '%s\n' "$text" | grep -qE "^\.B $name $command( |\$)" || missing="$missing '$name $command'"
done
if [ -n "$missing" ]; then
    echo "$page does not describe$missing (from $name --help)" >&2
    exit 1
fi
echo "$page describes $(echo $options $commands | wc -w) options and commands of $name --help"
