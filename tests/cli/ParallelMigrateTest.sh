#!/usr/bin/env bash
# Two runs of the tool convert the same old book at once: one converts it, the other is
# refused (busy, or no old book any more), and the book is whole every time.
#
# ParallelMigrateTest.sh BUILD_DIR OLD_BOOK
set -uo pipefail

cli="$1/drawbook-cli"
[ -f "$2" ] || { echo "no old book at $2" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="$work/ナンバーズ.mdb"

failures=0
for round in $(seq 1 20); do
    rm -f "$work"/*
    cp "$2" "$db"
    "$cli" --db "$db" migrate >/dev/null 2>"$work/err1" &
    first=$!
    "$cli" --db "$db" migrate >/dev/null 2>"$work/err2" &
    second=$!
    wait "$first"
    codes=$?
    wait "$second"
    codes=$(printf '%s\n' "$codes" "$?" | sort | tr '\n' ' ')
    files=$(cd "$work" && ls -m ./*.mdb*)
    { [ "$codes" == "0 1 " ] || [ "$codes" == "0 3 " ]; } && [ "$files" == "./ナンバーズ.mdb, ./ナンバーズ（移行前）.mdb" ] &&
        [ "$("$cli" --db "$db" next 3)" == 401 ] && [ "$("$cli" --db "$db" next 4)" == 401 ] && continue
    failures=$((failures + 1))
    echo "round $round: exit codes $codes, files $files" >&2
    cat "$work/err1" "$work/err2" >&2
done
echo "$((20 - failures)) of 20 rounds succeeded"
[ "$failures" -eq 0 ]
