#!/bin/sh
# Wobblefin reads its data set relative to the working directory: start it inside that folder.
# Program and data are found from where this script lies, so the installed tree can be moved as a whole.
bindir=$(dirname "$(readlink -f "$0")")
cd "$bindir/@WOBBLEFIN_BIN_TO_DATA@" || exit 1
exec "$bindir/@WOBBLEFIN_BIN_TO_PROGRAM@/Wobblefin" "$@"
