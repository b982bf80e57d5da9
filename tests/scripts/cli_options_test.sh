#!/bin/bash
# zoruvede-cli's option parsing as other command-line tools parse: long and short options,
# --opt=value and --opt value, short options run together, unique abbreviations, "--" ending
# the options, options after the inputs; ambiguous, unknown and incomplete options are bad
# usage (status 2) in our own words.
# Usage: cli_options_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
[ -x "$CLI" ] || { echo "zoruvede-cli is not built: $CLI"; exit 1; }
CONVERT=$(command -v convert-im6.q16 || command -v convert || true)
GIFSICLE=$(command -v gifsicle || true)
[ -n "$CONVERT" ] && [ -n "$GIFSICLE" ] || { echo "ImageMagick or gifsicle missing"; exit 77; }

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"
delay() { "$GIFSICLE" --info "$1" | sed -n 's/.*delay \([0-9.]*\)s.*/\1/p' | head -1; }

"$CONVERT" -size 8x8 xc:red a.png
cp a.png ./-q.png

run --delay=7 -q -o eq.gif a.png
check "--opt=value" [ "$rc" -eq 0 ] && check "its value" [ "$(delay eq.gif)" = 0.07 ]
run a.png --delay 8 -qo late.gif
check "options after the input, -q and -o run together" [ "$(delay late.gif)" = 0.08 ]
run --thr 1 --qui --out abbrev.gif --lo 3 a.png
check "unique abbreviations" grep -q "loop count 2" <("$GIFSICLE" --info abbrev.gif)
run -q -o dash.gif -- -q.png
check "-- ends the options" [ "$rc" -eq 0 ] && check "a file named -q.png" [ -s dash.gif ]

for bad in "--de 5" "--quiet=1" "--nothing" "-x" "--delay" "-o"; do
    # shellcheck disable=SC2086
    run $bad
    check "$bad is bad usage" [ "$rc" -eq 2 ]
    check "$bad: our words, not the C library's" [ "$(grep -c "^zoruvede-cli: " err)" -eq 1 ]
done
check "an ambiguous abbreviation is named" grep -q "ambiguous option --de" <(run --de 5 -o x.gif a.png; cat err)
check "a flag takes no value" grep -q "option --quiet takes no value" <(run --quiet=1; cat err)

finish
