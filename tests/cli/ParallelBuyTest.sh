#!/usr/bin/env bash
# Two runs of the tool record tickets in the same book at once, the first purchase of
# each round making the table: both must land every time, with every ticket kept.
#
# ParallelBuyTest.sh BUILD_DIR HISTORY_DIR
set -uo pipefail

cli="$1/drawbook-cli"
[ -f "$2/numbers3_results.csv" ] || { echo "no draw history at $2" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="$work/x.db"
head -n 101 "$2/numbers3_results.csv" >"$work/first100.csv"

failures=0
for round in $(seq 1 20); do
    rm -f "$db" "$db-journal"
    "$cli" --db "$db" import 3 "$work/first100.csv" >/dev/null || { echo "round $round: no book" >&2; exit 1; }
    "$cli" --db "$db" buy 3 123 straight --draws 20 >/dev/null 2>"$work/err1" &
    one=$!
    "$cli" --db "$db" buy 3 456 box --units 3 --draws 20 >/dev/null 2>"$work/err2" &
    two=$!
    wait "$one"
    codes=$?
    wait "$two"
    codes="$codes $?"
    count=$("$cli" --db "$db" tickets 3 | tail -n +2 | wc -l)
    [ "$codes" == "0 0" ] && [ "$count" == 40 ] && continue
    failures=$((failures + 1))
    echo "round $round: exit codes $codes, $count tickets" >&2
    cat "$work/err1" "$work/err2" >&2
done
[ "$failures" == 0 ]
