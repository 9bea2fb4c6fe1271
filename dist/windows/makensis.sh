#!/bin/sh
# makensis for CPack: Debian's wine runs 64-bit programs only and NSIS's default stub is 32-bit, so the
# installer and its uninstaller are built on the 64-bit stub. -X runs before the script is read.
exec makensis "-XTarget amd64-unicode" "$@"
