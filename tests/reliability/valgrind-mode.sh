#!/bin/sh
# Runs the mode harness under Valgrind's memcheck for one command line: any memory error or
# definite leak fails; exit 77 (skipped) when valgrind is not installed.
# usage: valgrind-mode.sh <modeharness> [arguments...]
if ! command -v valgrind >/dev/null 2>&1; then
    echo "valgrind is not installed: the Valgrind check of this mode is skipped"
    exit 77
fi
exec valgrind --quiet --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
    --show-leak-kinds=definite,indirect "$@"
