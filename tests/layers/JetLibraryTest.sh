#!/usr/bin/env bash
# Only the Jet reader loads mdbtools' library and only the fetch helper libcurl: the
# program and the tool load neither, and the tool, which has no windows, does not load
# glib either.
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
libraries "$1/drawbook-fetch" | grep -q 'libcurl' || fail "ldd lists no libcurl for the fetch helper"
for program in drawbook drawbook-cli; do
    libraries "$1/$program" | grep -q 'libcurl' && fail "$program loads libcurl"
done
libraries "$1/drawbook-cli" | grep -q 'libglib' && fail "drawbook-cli loads glib"
[ "$failures" -eq 0 ]
