#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that the copy works on its own:
# bin/ holds the program, the tool, the Jet reader and the help side by side, the menu entry and the
# icon, the manual pages and the tool's completion sit under share/, and the installed programs find the database beside them.
#
# InstallLayoutTest.sh CMAKE BUILD_DIR WORK_DIR SOURCE_DIR HISTORY_DIR OLD_BOOK
set -uo pipefail

cmake=$1
build=$2
work=$3
source=$4
history_dir=$5
old_book=$6

unset DESTDIR
# A prefix with a space: the entry's Exec must quote it.
prefix="$work/portable copy"
bin="$prefix/bin"
help_name="SOMARU屋　ナンバーズ.HLP"
db_name="ナンバーズ.mdb"
entry="$prefix/share/applications/drawbook.desktop"
icon="$prefix/share/icons/hicolor/scalable/apps/drawbook.svg"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
expect_eq() { # what, expected, actual
    [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

gui_pid=
stop_gui() {
    if [ -n "$gui_pid" ]; then
        kill "$gui_pid" 2>/dev/null
        wait "$gui_pid" 2>/dev/null
        gui_pid=
    fi
}
trap stop_gui EXIT

rm -rf "$work"
mkdir -p "$work"
if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi

# --- layout ---
for program in drawbook drawbook-cli drawbook-jet-reader drawbook-fetch; do
    [ -f "$bin/$program" ] && [ -x "$bin/$program" ] || fail "bin/$program missing or not executable"
done
[ -f "$bin/$help_name" ] || fail "help file missing beside the program"
cmp -s "$source/src/app/help/$help_name" "$bin/$help_name" || fail "installed help differs from the source"
history_files=(numbers3_results.csv numbers4_results.csv numbers_results_NOTICE.txt)
for file in "${history_files[@]}"; do
    cmp -s "$source/src/exchange/history/$file" "$bin/$file" || fail "shipped history $file missing or different"
done
expect_eq "bin/ holds the three files, the shipped history and no database" \
    "$(printf '%s\n' "$help_name" drawbook drawbook-cli drawbook-jet-reader drawbook-fetch "${history_files[@]}" | LC_ALL=C sort)" \
    "$(cd "$bin" && ls -A | LC_ALL=C sort)"
[ -f "$icon" ] || fail "icon missing"
cmp -s "$source/src/res/drawbook.svg" "$icon" || fail "installed icon differs from the source"
for page in drawbook.1 drawbook-cli.1; do
    cmp -s "$source/doc/$page" "$prefix/share/man/man1/$page" || fail "manual page $page missing or different"
done
cmp -s "$source/doc/drawbook-cli.bash-completion" "$prefix/share/bash-completion/completions/drawbook-cli" ||
    fail "bash completion missing or different"

# --- menu entry ---
if [ -f "$entry" ]; then
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
    else
        fail "desktop-file-validate not found (scripts/setup installs desktop-file-utils)"
    fi
    expect_eq "Exec" "Exec=\"$prefix/bin/drawbook\"" "$(grep '^Exec=' "$entry")"
    expect_eq "TryExec" "TryExec=$prefix/bin/drawbook" "$(grep '^TryExec=' "$entry")"
    expect_eq "Icon" "Icon=$icon" "$(grep '^Icon=' "$entry")"
    expect_eq "Type" "Type=Application" "$(grep '^Type=' "$entry")"
    expect_eq "Name[ja]" "Name[ja]=ナンバーズ記録帳 (drawbook)" "$(grep '^Name\[ja\]=' "$entry")"
    expect_eq "Comment[ja]" "Comment[ja]=ナンバーズ３・ナンバーズ４の当選数字の記録と予想" \
        "$(grep '^Comment\[ja\]=' "$entry")"
    expect_eq "Terminal" "Terminal=false" "$(grep '^Terminal=' "$entry")"
else
    fail "desktop entry missing"
fi

# --- staged install: files under DESTDIR, the entry naming the prefix alone ---
stage="$work/stage"
if DESTDIR="$stage" "$cmake" --install "$build" --prefix /opt/drawbook >"$work/staged.log" 2>&1; then
    staged_entry="$stage/opt/drawbook/share/applications/drawbook.desktop"
    [ -x "$stage/opt/drawbook/bin/drawbook" ] || fail "staged install: no bin/drawbook under DESTDIR"
    expect_eq "staged Exec" "Exec=/opt/drawbook/bin/drawbook" "$(grep '^Exec=' "$staged_entry")"
    expect_eq "staged Icon" "Icon=/opt/drawbook/share/icons/hicolor/scalable/apps/drawbook.svg" \
        "$(grep '^Icon=' "$staged_entry")"
else
    fail "staged install (see $work/staged.log)"
fi

# Run from elsewhere, so that only a lookup beside the executable finds the files.
cd "$work" || exit 1

# --- the tool alone ---
"$bin/drawbook-cli" >"$work/out" 2>"$work/err"
expect_eq "drawbook-cli without arguments: exit code" 2 "$?"
grep -q '^使い方: drawbook-cli' "$work/err" || fail "drawbook-cli without arguments prints no usage on stderr"
[ -s "$work/out" ] && fail "drawbook-cli without arguments writes to stdout"

"$bin/drawbook-cli" next 3 >/dev/null 2>&1
expect_eq "drawbook-cli next 3 before any database: exit code" 3 "$?"
[ -e "$bin/$db_name" ] && fail "drawbook-cli created the database"

# --- first start of the program creates the database beside it ---
QT_QPA_PLATFORM=offscreen "$bin/drawbook" >"$work/gui.log" 2>&1 &
gui_pid=$!
next=
for _ in $(seq 1 100); do
    next=$("$bin/drawbook-cli" next 3 2>/dev/null) && [ "$next" == 1 ] && break
    kill -0 "$gui_pid" 2>/dev/null || break
    sleep 0.2
done
stop_gui
expect_eq "next 3 on the database the program created" 1 "$next"
[ -f "$bin/$db_name" ] || fail "the program created no database beside itself"
[ -e "$work/$db_name" ] && fail "the program created the database in the working directory"

# --- the tool on the installed database, and on another one given by --db ---
if [ -f "$bin/$db_name" ]; then
    cp "$bin/$db_name" "$work/other.mdb"
    "$bin/drawbook-cli" register 409 1234 >/dev/null
    expect_eq "register: exit code" 0 "$?"
    expect_eq "next 3 after one draw" 2 "$("$bin/drawbook-cli" next 3)"
    expect_eq "next 4 after one draw" 2 "$("$bin/drawbook-cli" next 4)"
    expect_eq "first draw of ナンバーズ3" "$(printf '1\t409')" "$("$bin/drawbook-cli" list 3 | cut -f1-2)"
    expect_eq "next 3 with --db on the untouched copy" 1 "$("$bin/drawbook-cli" --db "$work/other.mdb" next 3)"
    "$bin/drawbook-cli" --db "$work/other.mdb" update 4 --bundled >/dev/null
    expect_eq "update 4 --bundled: exit code" 0 "$?"
    expect_eq "next 4 after the shipped history" 7055 "$("$bin/drawbook-cli" --db "$work/other.mdb" next 4)"
fi

# --- an old book is read through the Jet reader installed beside the tool ---
cp "$old_book" "$work/old.mdb" && "$bin/drawbook-cli" --db "$work/old.mdb" migrate >/dev/null
expect_eq "migrate of the shared old book: exit code" 0 "$?"

# --- import into a fresh copy creates the database beside the tool ---
history="$history_dir/numbers3_results.csv"
if [ -f "$history" ]; then
    fresh="$work/imported"
    if "$cmake" --install "$build" --prefix "$fresh" >"$work/imported.log" 2>&1; then
        "$fresh/bin/drawbook-cli" import 3 "$history" >/dev/null
        expect_eq "import 3 into a fresh copy: exit code" 0 "$?"
        [ -f "$fresh/bin/$db_name" ] || fail "import created no database beside the tool"
        expect_eq "next 3 after importing the real history" 7055 "$("$fresh/bin/drawbook-cli" next 3)"
    else
        fail "second install (see $work/imported.log)"
    fi
else
    fail "no draw history at $history"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; the install log is in $work/install.log" >&2
    exit 1
fi
echo "installed copy in $prefix works"
