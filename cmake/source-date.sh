#!/bin/sh
# The one time the build writes into what it makes (the programs' link
# time, the dates on the sample disc and of its image), so that the same
# commit gives the same bytes anywhere, at any time: SOURCE_DATE_EPOCH if
# it is set, otherwise the last commit's time, otherwise (no .git) the date
# cd/make-iso.sh uses on its own. A history that is there but cannot be
# read (git refuses a tree another user owns) stops the build: another
# date would give another exe from the same commit.
#   source-date.sh --update TOP FILE   write it to FILE, if it changed
#   source-date.sh FILE COMMAND...     run COMMAND with SOURCE_DATE_EPOCH from FILE
set -eu
if [ "${1:-}" = --update ]; then
    # Only the tree's own history: an unpacked copy may lie in another's.
    epoch=${SOURCE_DATE_EPOCH:-}
    if [ -z "$epoch" ] && [ -e "$2/.git" ]; then
        epoch=$(git -C "$2" log -1 --format=%ct 2>&1) || {
            echo "source-date.sh: git cannot read the history of $2: $(echo "$epoch" | head -1)" >&2
            echo "source-date.sh: set SOURCE_DATE_EPOCH to the last commit's time, or build as the tree's owner" >&2
            exit 1; }
    fi
    epoch=${epoch:-1199145600}
    case $epoch in ''|*[!0-9]*) echo "source-date.sh: not a time in seconds: $epoch" >&2; exit 1 ;; esac
    # Unchanged, the file keeps its time, and nothing is relinked for it.
    [ "$(cat "$3" 2>/dev/null)" = "$epoch" ] || echo "$epoch" >"$3"
    exit 0
fi
SOURCE_DATE_EPOCH=$(cat "$1")
export SOURCE_DATE_EPOCH
shift
exec "$@"
