#!/usr/bin/env bash
# The manual page and the bash completion keep up with the tool's usage: every verb and option
# drawbook-cli --help names is in drawbook-cli.1, the completion offers each verb and, after the
# verb, each option its usage line names; both pages render without a warning.
#
# ManPagesTest.sh BUILD_DIR DOC_DIR
set -uo pipefail

build=$1
doc=$2

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

usage=$("$build/drawbook-cli" --help) || fail "drawbook-cli --help failed"
# Verb lines start with two spaces and the verb; the first two lines are the tool's own.
verbs=$(printf '%s\n' "$usage" | sed -n 's/^  \([a-z]\+\)\( .*\)\?$/\1/p')
options=$(printf '%s\n' "$usage" | grep -o -- '-\(-[a-z0-9]\+\|h\b\)' | sort -u)
for known in next unbuy; do
    grep -qx "$known" <<<"$verbs" || fail "no verb $known read from the usage"
done
for known in --db -h --draws --numbers3; do
    grep -qx -- "$known" <<<"$options" || fail "no option $known read from the usage"
done

# Both pages carry the version the tool prints.
version=$("$build/drawbook-cli" --version)
for name in drawbook.1 drawbook-cli.1; do
    grep -q "^\.TH .* \"${version/-cli/}\" " "$doc/$name" || fail "$name does not say \"${version/-cli/}\" in .TH"
done

# --- the manual page: each verb heads an entry, each option is written out ---
page=$(sed 's/\\-/-/g; s/\\%//g' "$doc/drawbook-cli.1")
# The first word of each tagged paragraph's tag.
tags=$(awk '/^\.T[PQ]$/ { getline; gsub(/"/, ""); print $2 }' <<<"$page")
for verb in $verbs; do
    grep -qx "$verb" <<<"$tags" || fail "drawbook-cli.1 has no entry for $verb"
done
for option in $options; do
    grep -Eq -- "(^|[^a-z0-9-])$option([^a-z0-9-]|\$)" <<<"$page" || fail "drawbook-cli.1 does not name $option"
done

# --- the completion, run as bash runs it ---
complete_line() { # words...; the last one is completed
    bash -c '
        source "$1"
        shift
        COMP_WORDS=("$@")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _drawbook_cli drawbook-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"
    ' complete "$doc/drawbook-cli.bash-completion" "$@" 2>&1
}
offers() { # expected, words...
    local expected=$1
    shift
    grep -qx -- "$expected" <<<"$(complete_line "$@")" || fail "completing [$*] does not offer $expected"
}
for verb in $verbs; do
    offers "$verb" drawbook-cli "${verb:0:2}"
    offers "$verb" drawbook-cli --db book.mdb ""
    for option in $(printf '%s\n' "$usage" | grep "^  $verb\b" | grep -o -- '--[a-z0-9]\+'); do
        offers "$option" drawbook-cli "$verb" 3 --
    done
done
for option in $(printf '%s\n' "$usage" | sed -n '1,2p' | grep -o -- '-\(-[a-z0-9]\+\|h\b\)'); do
    offers "$option" drawbook-cli -
done
# The values the verbs take, and file names after --db.
offers 4 drawbook-cli stats ""
offers box drawbook-cli search 3 ""
offers mini drawbook-cli buy 3 --units 2 123 ""
offers slide drawbook-cli predict 4 --method ""
offers random drawbook-cli backtest 3 --method = r
offers "$(dirname "$0")/ManPagesTest.sh" drawbook-cli --db "$(dirname "$0")/Man"
offers "$(dirname "$0")/ManPagesTest.sh" drawbook-cli --db = "$(dirname "$0")/Man"
[ -z "$(complete_line drawbook-cli migrate "")" ] || fail "migrate takes no argument, yet something is offered"

# --- both pages render cleanly ---
if command -v groff >/dev/null; then
    for name in drawbook.1 drawbook-cli.1; do
        warnings=$(groff -k -man -Tutf8 -ww -z "$doc/$name" 2>&1) || fail "groff fails on $name"
        [ -z "$warnings" ] || fail "groff warns on $name: $warnings"
    done
else
    fail "groff not found (scripts/setup installs groff-base)"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the manual pages and the completion name every verb and option"
