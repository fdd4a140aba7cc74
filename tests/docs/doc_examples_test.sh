#!/usr/bin/env bash
# Runs the shell examples of README.md and docs/**/*.md as a reader would
# type them, and checks that the README's test command is the one CI runs.
#
# Every fenced block marked ```sh (or bash, shell) is run with bash -e, in
# order, in a scratch home folder of its own for each document (HOME points
# there; the folder a block ends in is where the next one starts), with the
# build folder first on the PATH, so tintora-check is the one just built,
# and with no display. It must end with status 0. A comment on the line
# before a block changes that:
#   <!-- not run: REASON -->   the block is not run here, for the reason
#                              given (it installs, opens a window, ...)
#   <!-- exit status: N -->    the block must end with status N
#   <!-- file: PATH -->        (before a block of any kind) its text is
#                              written to PATH (~ is the scratch home) for
#                              the blocks after it
#   <!-- output -->            (before a block of any kind) its text is
#                              what the last block run printed
#   doc_examples_test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
ran=0
skipped=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# One document: its blocks in order, in its own scratch home.
Document_run() {
    local file=$1 home=$work/$(tr '/' '_' <<<"$1")
    mkdir -p "$home"
    local cwd=$home marker="" number=0 fence="" indent="" lang="" start=0 text="" output=""
    while IFS= read -r line || [ -n "$line" ]; do
        number=$((number + 1))
        if [ -z "$fence" ]; then
            if [[ "$line" =~ ^([[:space:]]*)(\`\`\`+)([A-Za-z]*)[[:space:]]*$ ]]; then
                indent=${BASH_REMATCH[1]} fence=${BASH_REMATCH[2]} lang=${BASH_REMATCH[3]} start=$number text=""
            elif [[ "$line" =~ ^[[:space:]]*\<!--[[:space:]]*(.*[^[:space:]])[[:space:]]*--\>[[:space:]]*$ ]]; then
                marker=${BASH_REMATCH[1]}
            elif [[ "$line" =~ [^[:space:]] ]]; then
                marker=""
            fi
            continue
        fi
        if [[ "$line" =~ ^[[:space:]]*$fence[[:space:]]*$ ]]; then
            Block_take "$file" "$start" "$lang" "$marker" "$text" "$home"
            fence="" marker=""
            continue
        fi
        text+=${line#"$indent"}$'\n'
    done <"$source_dir/$file"
    [ -z "$fence" ] || fail "$file:$start: a code block is never closed"
}

# What one block asks for; runs it when it is a shell example.
Block_take() {
    local file=$1 start=$2 lang=$3 marker=$4 text=$5 home=$6
    local where="$file:$start"
    case $marker in
        "file: "*)
            local path=${marker#file: }
            path=${path/#\~/$home}
            mkdir -p "$(dirname "$path")" && printf '%s' "$text" >"$path"
            return ;;
        output)
            if [ "$text" != "$output" ]; then
                fail "$where: the output shown is not what the block before it printed:"
                diff <(printf '%s' "$text") <(printf '%s' "$output") | sed 's/^/    /'
            else
                echo "ok: $where: the output shown is the output"
            fi
            return ;;
    esac
    case $lang in sh | bash | shell) ;; *) return ;; esac
    local expected=0
    case $marker in
        "not run:"*)
            local reason=${marker#not run:}
            if [ -z "${reason// /}" ]; then
                fail "$where: a block marked \"not run\" must say why"
            else
                echo "not run: $where:$reason"
                skipped=$((skipped + 1))
            fi
            return ;;
        "exit status: "*) expected=${marker#exit status: } ;;
    esac
    local status
    (cd "$cwd" && env -i HOME="$home" PATH="$build_dir:/usr/local/bin:/usr/bin:/bin" LANG=C.UTF-8 \
        timeout 60 bash -e -o pipefail -c "trap 'pwd >\"$work/cwd\"' EXIT
$text") >"$work/out" 2>"$work/err"
    status=$?
    output=$(cat "$work/out"; echo x)
    output=${output%x}
    ran=$((ran + 1))
    [ ! -s "$work/cwd" ] || cwd=$(cat "$work/cwd")
    rm -f "$work/cwd"
    if [ "$status" != "$expected" ]; then
        fail "$where: the example ended with status $status, not $expected (if it cannot run here, say why in <!-- not run: REASON --> on the line before it):"
        sed 's/^/    $ /' <<<"${text%$'\n'}"
        cat "$work/out" "$work/err" | sed 's/^/    /'
    else
        echo "ok: $where: ran, status $status"
    fi
}

documents=$(cd "$source_dir" && { echo README.md; find docs -name '*.md'; } | sort)
for document in $documents; do
    Document_run "$document"
done

# The README's test command is the one CI runs on a fresh machine.
command=$(grep -m1 -x 'scripts/install-deps && scripts/test' "$source_dir/README.md")
if [ -z "$command" ] || ! grep -Fxq "$command" "$source_dir/.ci/run"; then
    fail "README.md's test command (scripts/install-deps && scripts/test) is not the one .ci/run runs"
fi

echo "$ran examples run, $skipped not run here (each with its reason), $failures failed"
exit $((failures > 0))
