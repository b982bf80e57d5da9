#!/bin/bash
# What the usage texts become at build time, as a user meets them: the manual pages render
# without a warning, --help and --version answer (the windowed program's without a display),
# and the bash completion offers the options and their values.
# Usage: usage_pages_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
APP="$BUILD/bin/zoruvede"
[ -x "$CLI" ] && [ -x "$APP" ] || { echo "the programs are not built in $BUILD"; exit 1; }
VERSION=$(sed -n 's/^project(zoruvede VERSION \([0-9.]*\).*/\1/p' "${1:?source dir}/CMakeLists.txt")

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"

# Manual pages: both made, rendered by man with groff's warnings on and nothing on stderr.
if command -v man >/dev/null && command -v groff >/dev/null; then
    for page in zoruvede zoruvede-cli; do
        check "$page.1.gz is made" test -s "$BUILD/man/$page.1.gz"
        LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$BUILD/man/$page.1.gz" >out 2>err
        check "man -l $page renders" [ $? -eq 0 ]
        check "man -l $page has no warnings" [ ! -s err ]
        check "$page's page has its name line" contains out "$page - "
    done
    check "the exporter's page lists --max-size" contains out "--max-size SIZE"
else
    echo "man or groff is not installed: the pages are not rendered"
fi

# The windowed program answers --help and --version without a display.
env -u DISPLAY -u WAYLAND_DISPLAY "$APP" --help >out 2>err
check "zoruvede --help without a display succeeds" [ $? -eq 0 ]
check "zoruvede --help prints its usage" contains out "^usage: zoruvede \[OPTION\]"
check "zoruvede --help says nothing on stderr" [ ! -s err ]
env -u DISPLAY "$APP" --version >out 2>err
check "zoruvede --version" [ "$(cat out)" = "zoruvede $VERSION" ]

run --version
check "zoruvede-cli --version" [ "$rc" -eq 0 ] && check "its text" [ "$(cat out)" = "zoruvede-cli $VERSION" ]
run --bogus
check "bad usage is short, with where to read more" contains err "Try 'zoruvede-cli --help'"
check "bad usage doesn't repeat the whole help" [ "$(wc -l <err)" -le 5 ]

# Completion: what Tab offers after the words typed so far.
BASH_COMPLETION=/usr/share/bash-completion/bash_completion
complete_words() {  # complete_words word...: prints the candidates for the last word
    bash -c '
        . "$1" && . "$2" || exit 1
        shift 2
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _zoruvede_cli zoruvede-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        printf "%s\n" "${COMPREPLY[@]}"' _ "$BASH_COMPLETION" "$BUILD/completion/zoruvede-cli" "$@"
}
if [ -f "$BASH_COMPLETION" ]; then
    complete_words zoruvede-cli --qu >out
    check "--qu offers --quality, --quantizer and --quiet" \
        [ "$(sort out | tr '\n' ' ')" = "--quality --quantizer --quiet " ]
    complete_words zoruvede-cli --quantizer "" >out
    check "--quantizer offers its choices" [ "$(sort out | tr '\n' ' ')" = "bmp quant toolkit " ]
    mkdir -p sub && touch a.gif b.png
    complete_words zoruvede-cli -o "" >out
    check "-o offers GIF files and folders" [ "$(sort out | tr '\n' ' ')" = "a.gif sub " ]
    complete_words zoruvede-cli --delay "" >out
    check "--delay offers nothing to pick" [ -z "$(cat out)" ]
    complete_words zoruvede-cli -o x.gif b >out
    check "an input offers the files" [ "$(cat out)" = "b.png" ]
    for name in $("$CLI" --help | grep -oE '^  (-[a-z], )?--[a-z-]+' | grep -oE -- '--[a-z-]+'); do
        complete_words zoruvede-cli "$name" >out
        check "completion knows $name" grep -qx -- "$name" out
    done
else
    echo "bash-completion is not installed: completion is not tried"
fi

finish
