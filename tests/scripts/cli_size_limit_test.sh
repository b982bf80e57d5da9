#!/bin/bash
# zoruvede-cli --quality and --max-size end to end: the default output unchanged, smaller files
# at lower quality, a limit met only after reductions, one that can't be met, and bad values.
# Usage: cli_size_limit_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
[ -x "$CLI" ] || { echo "zoruvede-cli is not built: $CLI"; exit 1; }
CONVERT=$(command -v convert-im6.q16 || command -v convert || true)
GIFSICLE=$(command -v gifsicle || true)
[ -n "$CONVERT" ] && [ -n "$GIFSICLE" ] || { echo "ImageMagick or gifsicle missing"; exit 77; }

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"
size() { stat -c %s "$1"; }

# Bad values: status 2, the option named.
for value in 0 101 abc -5 "" 50x; do
    run --quality "$value" -o a.gif x.png
    check "--quality $value gives 2" [ "$rc" -eq 2 ] && check "--quality $value is named" contains err "bad --quality"
done
for value in 0 0K 8G 1.5M M -3 "" 8GB 8MBB 99999999999999; do
    run --max-size "$value" -o a.gif x.png
    check "--max-size $value gives 2" [ "$rc" -eq 2 ] && check "--max-size $value is named" contains err "bad --max-size"
done
run --help
check "--help documents --max-size with an example" contains out "e.g. 8M"

# Eight photo-like frames of 120 x 90.
for i in 1 2 3 4 5 6 7 8; do
    "$CONVERT" -size 120x90 -seed "$i" plasma:fractal "f$i.png" 2>/dev/null
done
frames=(f1.png f2.png f3.png f4.png f5.png f6.png f7.png f8.png)

run -q -o default.gif "${frames[@]}"
run -q --quality 100 -o best.gif "${frames[@]}"
check "--quality 100 is the default output" cmp -s default.gif best.gif
run -q --quality 50 -o half.gif "${frames[@]}"
check "a lower quality gives a smaller file" [ "$(size half.gif)" -lt "$(size best.gif)" ]
run -q --optimize --quality 50 -o half-opt.gif "${frames[@]}"
run -q --optimize -o best-opt.gif "${frames[@]}"
check "a lower quality gives a smaller optimised file" [ "$(size half-opt.gif)" -lt "$(size best-opt.gif)" ]
run -q --optimize --quality 50 --threads 1 -o one.gif "${frames[@]}"
run -q --optimize --quality 50 --threads 3 -o three.gif "${frames[@]}"
check "same bytes for any thread count" cmp -s one.gif three.gif

# A limit that only reductions meet: at most the limit, a valid GIF of every frame, and the
# report on stderr.
limit=$(($(size best.gif) * 4 / 10))
run --max-size "$limit" -o fitted.gif "${frames[@]}"
check "a limit met after reductions gives 0" [ "$rc" -eq 0 ]
check "the file is within the limit" [ "$(size fitted.gif)" -le "$limit" ]
check "the report names quality and canvas" contains err "kept under .* at quality [0-9]*, [0-9]* x [0-9]*"
check "the report counts in the window's units" contains err "kept under [0-9.]* kB at quality"
"$GIFSICLE" --info fitted.gif >info 2>&1
check "the fitted file holds every frame" contains info "fitted.gif 8 images"
run -q --max-size "$limit" -o quiet.gif "${frames[@]}"
check "--quiet keeps the report back" [ ! -s err ]
check "the same bytes again" cmp -s fitted.gif quiet.gif
run -q --max-size "$limit" --threads 1 -o one-limited.gif "${frames[@]}"
check "same bytes with one thread" cmp -s fitted.gif one-limited.gif

kib=$(( ($(size best.gif) + 1023) / 1024 ))
run -q --max-size "${kib}K" -o kib.gif "${frames[@]}"
check "K is 1024 bytes: a limit just above the file keeps it whole" cmp -s kib.gif best.gif
run -q --max-size 1m -o mib.gif "${frames[@]}"
check "m is a mebibyte" cmp -s mib.gif best.gif
kb=$(( ($(size best.gif) + 999) / 1000 ))
run -q --max-size "${kb}KB" -o kb.gif "${frames[@]}"
check "KB is 1000 bytes: a limit just above the file keeps it whole" cmp -s kb.gif best.gif
run -q --max-size "$((kb - 1))KB" -o kb-less.gif "${frames[@]}"
check "KB is 1000 bytes: a limit just below the file makes it smaller" [ "$(size kb-less.gif)" -le $(( (kb - 1) * 1000 )) ]

# A limit nothing meets: status 1, the reason, the old file untouched, no temporary file.
mkdir sub && echo old >sub/keep.gif
run --max-size 200 -o sub/keep.gif "${frames[@]}"
check "an unreachable limit gives 1" [ "$rc" -eq 1 ]
check "the reason is given" contains err "more than the limit of 200 bytes"
check "the old file is untouched" [ "$(cat sub/keep.gif)" = old ]
check "no temporary file is left" [ "$(ls -A sub)" = keep.gif ]
run --max-size 200 -o none.gif "${frames[@]}"
check "nothing is written" [ ! -e none.gif ]

finish
