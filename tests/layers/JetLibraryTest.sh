#!/usr/bin/env bash
# Only the Jet reader loads mdbtools' library: the program and the tool do not, and
# the tool, which has no windows, does not load glib either.
#
# JetLibraryTest.sh BUILD_DIR
set -uo pipefail

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
libraries() {
    ldd "$1" || fail "ldd cannot list the libraries of $1"
}

libraries "$1/drawbook-jet-reader" | grep -q 'libmdb' || fail "ldd lists no libmdb for the Jet reader"
for program in drawbook drawbook-cli; do
    libraries "$1/$program" | grep -q 'libmdb' && fail "$program loads libmdb"
done
libraries "$1/drawbook-cli" | grep -q 'libglib' && fail "drawbook-cli loads glib"
[ "$failures" -eq 0 ]
