#!/usr/bin/env bash
# The installed build's locations, tried without installing: a command-line tool built to read
# the shared files from one folder keeps the book in the user's data folder, made private.
#
# InstalledPathsTest.sh INSTALLED_CLI WORK_DIR HISTORY_DIR
set -uo pipefail

cli=$1
work=$2
history_dir=$3

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$work"
mkdir -p "$work/home"
draws=$(($(wc -l <"$history_dir/numbers3_results.csv") - 1))

# XDG_DATA_HOME names the data folder; the shipped history comes from the shared folder.
book="$work/data/drawbook/ナンバーズ.mdb"
HOME="$work/home" XDG_DATA_HOME="$work/data" "$cli" update 3 --bundled >"$work/update.out" 2>&1 ||
    fail "update 3 --bundled: $(cat "$work/update.out")"
[ -f "$book" ] || fail "no book at $book"
[ "$(stat -c %a "$work/data/drawbook")" == 700 ] || fail "the book's folder is not private"
next=$(HOME="$work/home" XDG_DATA_HOME="$work/data" "$cli" next 3)
[ "$next" == "$((draws + 1))" ] || fail "next 3: expected $((draws + 1)), got [$next]"

# Without it, ~/.local/share; --db still names another book.
HOME="$work/home" "$cli" --db "$work/other.mdb" update 3 --bundled >/dev/null 2>&1 || fail "update with --db"
[ -f "$work/other.mdb" ] || fail "--db was not followed"
[ ! -e "$work/home/.local/share/drawbook/ナンバーズ.mdb" ] || fail "--db also wrote the user's book"
[ "$(stat -c %a "$work/home/.local")" == 700 ] || fail "~/.local was not made private"

[ "$failures" -eq 0 ] || exit 1
echo "installed paths: ok"
