#!/usr/bin/env bash
# Damaged old books through the tool's import and migrate: each refused with exit
# code 1, not a crash, and every file in the folder as it was, with nothing added.
#
# DamagedBooksTest.sh BUILD_DIR SHARED_DATA_DIR
set -uo pipefail

cli="$1/drawbook-cli"
damaged="$2/legacy/damaged"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The folder's names and bytes, to compare before and after.
snapshot() {
    (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum && ls -A)
}

# run NAME EXPECTED_MESSAGE COMMAND...: exit 1, the message on stderr, the folder untouched.
run() {
    local name=$1 message=$2
    shift 2
    local before
    before=$(snapshot "$work/book")
    "$@" >"$work/out" 2>"$work/err"
    local code=$?
    [ "$code" -eq 1 ] || fail "$name: exit code $code"
    grep -qF "$message" "$work/err" || fail "$name: no refusal on stderr: $(cat "$work/err")"
    [ "$before" == "$(snapshot "$work/book")" ] || fail "$name: the folder changed"
}

for file in page-map.mdb row-overread.mdb column-number.mdb; do
    [ -f "$damaged/$file" ] || { fail "the damaged old book $damaged/$file is missing"; continue; }
    rm -rf "$work/book"
    mkdir "$work/book"
    "$cli" --db "$work/book/new.db" import 3 "$1/numbers3_results.csv" >/dev/null || fail "$file: cannot make a book to import into"
    cp "$damaged/$file" "$work/book/old.mdb"
    run "import 3 $file" "　以前の形式の記録帳を取り込めませんでした。記録は何も変わっていません。。" \
        "$cli" --db "$work/book/new.db" import 3 "$work/book/old.mdb"
    run "import 4 $file" "　以前の形式の記録帳を取り込めませんでした。記録は何も変わっていません。。" \
        "$cli" --db "$work/book/new.db" import 4 "$work/book/old.mdb"
    run "migrate $file" "　以前の形式の記録帳を読めませんでした。何も変えていません（" \
        "$cli" --db "$work/book/old.mdb" migrate
done
echo "$failures failures"
[ "$failures" -eq 0 ]
