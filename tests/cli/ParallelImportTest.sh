#!/usr/bin/env bash
# Two runs of the tool start the same new database at once, each importing one game's
# history (draws 1 to 7054): both must succeed every time, with every draw kept.
#
# ParallelImportTest.sh BUILD_DIR HISTORY_DIR
set -uo pipefail

cli="$1/drawbook-cli"
[ -f "$2/numbers3_results.csv" ] && [ -f "$2/numbers4_results.csv" ] || { echo "no draw history at $2" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="$work/x.db"

failures=0
for round in $(seq 1 50); do
    rm -f "$db" "$db-journal"
    "$cli" --db "$db" import 3 "$2/numbers3_results.csv" >/dev/null 2>"$work/err3" &
    three=$!
    "$cli" --db "$db" import 4 "$2/numbers4_results.csv" >/dev/null 2>"$work/err4" &
    four=$!
    wait "$three"
    codes=$?
    wait "$four"
    codes="$codes $?"
    [ "$codes" == "0 0" ] && [ "$("$cli" --db "$db" next 3)" == 7055 ] && [ "$("$cli" --db "$db" next 4)" == 7055 ] &&
        continue
    failures=$((failures + 1))
    echo "round $round: exit codes $codes" >&2
    cat "$work/err3" "$work/err4" >&2
done
echo "$((50 - failures)) of 50 rounds succeeded"
[ "$failures" -eq 0 ]
