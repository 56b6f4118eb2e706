#!/usr/bin/env bash
# The include check passes on the tree and fails on each kind of include that climbs.
# Usage: CheckIncludesTest.sh SRC_DIR
set -euo pipefail

here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$here/CheckIncludes.sh" "$1"

failures=0
# file to add the include to | the include | what the check must say
while IFS='|' read -r file include expected; do
    rm -rf "$work/src"
    cp -r "$1" "$work/src"
    echo "#include \"$include\"" >>"$work/src/$file"
    if output=$("$here/CheckIncludes.sh" "$work/src"); then
        echo "not refused: $file including $include"
        failures=$((failures + 1))
    elif [[ $output != *"$expected"* ]]; then
        echo "refused without saying \"$expected\": $output"
        failures=$((failures + 1))
    fi
done <<'CASES'
db/Statement.cpp|app/MainMenuDlg.h|db/Statement.cpp:
draw/Game.h|db/DrawQueries.h|draw/ (floor 0) includes db/ (floor 1)
predict/Backtest.cpp|edit/DrawStepper.h|predict/ (floor 2) includes edit/ (floor 2)
exchange/DrawCsv.cpp|register/DrawRegistration.h|exchange/ (floor 2) includes register/ (floor 3)
game/NumbersDlg.cpp|tools/Screens.h|includes tools/, a folder with no floor
CASES

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "include check: every climbing include refused"
