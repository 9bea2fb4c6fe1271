#!/bin/sh
# Wobblefin reads its data set relative to the working directory: start it inside that folder.
# The prefix is found from where this script lies, so the installed tree can be moved as a whole.
bindir=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$bindir")
cd "$prefix/@WOBBLEFIN_DATA_DIR@" || exit 1
exec "$prefix/@WOBBLEFIN_PROGRAM_DIR@/Wobblefin" "$@"
