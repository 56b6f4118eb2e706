#!/usr/bin/env bash
# Fails when a folder of src/ includes a folder on its own floor or above:
# dependencies point down, so no two folders can include each other.
# Usage: CheckIncludes.sh SRC_DIR
set -euo pipefail

src=${1:?usage: CheckIncludes.sh SRC_DIR}

# The floors, from the ground up.
declare -A floor=(
    [draw]=0 [res]=0 # what a game and a draw are; the dialogs' templates and desktop seam
    [platform]=0 # what differs between the systems drawbook runs on
    [db]=1           # the database file, its statements and the one store path
    [predict]=2 [edit]=2
    [exchange]=2 # every way draws enter or leave the book: files, old books, the feed
    [tickets]=2  # what the player bought, and what it won
    [register]=3 [stats]=3 # the registration dialog proposes numbers; statistics score the prediction
    [game]=4     # the game windows open every other dialog
    [app]=5
    [cli]=6
)

status=0
while IFS= read -r -d '' file; do
    relative=${file#"$src"/}
    folder=${relative%%/*}
    if [ "$folder" = "$relative" ]; then
        continue # a file of src/ itself, such as CMakeLists.txt
    fi
    if [ -z "${floor[$folder]+set}" ]; then
        echo "$relative: the folder $folder/ has no floor in $(basename "$0")"
        status=1
        continue
    fi
    while IFS= read -r line; do
        number=${line%%:*}
        target=${line#*:}
        if [ "$target" = "$folder" ]; then
            continue
        fi
        if [ -z "${floor[$target]+set}" ]; then
            echo "$relative:$number: includes $target/, a folder with no floor"
            status=1
        elif [ "${floor[$target]}" -ge "${floor[$folder]}" ]; then
            echo "$relative:$number: $folder/ (floor ${floor[$folder]}) includes $target/ (floor ${floor[$target]})"
            status=1
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]*/' "$file" |
             sed 's@^\([0-9]*\):[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^/"]*\)/.*@\1:\2@' || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

exit "$status"
