#!/bin/bash
# zoruvede-cli --dedupe, --every and --max-fps end to end: their bad values refused with
# nothing written, and files whose frame count and delays, as ImageMagick reads them, keep
# the animation's length.
# Usage: cli_fewer_frames_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
[ -x "$CLI" ] || { echo "zoruvede-cli is not built: $CLI"; exit 1; }
command -v convert >/dev/null && command -v identify >/dev/null || { echo "ImageMagick missing"; exit 77; }

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"

# Ten 20 x 20 frames: a, a, a, b, b, c, c with one pixel changed, d, d, d.
convert -size 20x20 xc:'#204080' a.png
convert -size 20x20 xc:'#802040' b.png
convert -size 20x20 xc:'#408020' c.png
convert c.png -fill white -draw 'point 3,3' c1.png
convert -size 20x20 xc:'#808080' d.png
inputs=(a.png a.png a.png b.png b.png c.png c1.png d.png d.png d.png)

for bad in "--dedupe=-1" "--dedupe=100.5" "--dedupe=abc" "--dedupe=" "--dedupe=1.2.3" \
           "--every 1" "--every x" "--every 0" "--max-fps 0" "--max-fps 101" "--max-fps 2.5"; do
    # shellcheck disable=SC2086
    run $bad -o bad.gif "${inputs[@]}"
    check "$bad gives 2" [ "$rc" -eq 2 ] && check "$bad is named" contains err "bad --${bad:2:6}"
    check "$bad writes nothing" [ ! -e bad.gif ]
done
run --dedupe 2 -o bad.gif "${inputs[@]}"
check "--dedupe 2 gives 2" [ "$rc" -eq 2 ] && check "--dedupe 2 is told the form" contains err "as --dedupe=2"
check "nothing written for --dedupe 2" [ ! -e bad.gif ]
run --every 2 --max-fps 10 -o bad.gif "${inputs[@]}"
check "--every with --max-fps gives 2" [ "$rc" -eq 2 ] && check "they exclude each other" contains err "can't both be given"
check "nothing written for both" [ ! -e bad.gif ]

delays() { identify -format '%T ' "$1"; }
total() { identify -format '%T\n' "$1" | awk '{ s += $1 } END { print s }'; }

check "ten frames of 1 s in all" [ "$( "$CLI" -q --delay 10 -o all.gif "${inputs[@]}"; total all.gif)" = 100 ]
while read -r what options count expected; do
    # shellcheck disable=SC2086
    run -q --delay 10 ${options//_/ } -o out.gif "${inputs[@]}"
    check "$what succeeds" [ "$rc" -eq 0 ]
    check "$what gives $count frames" [ "$(identify out.gif | wc -l)" -eq "$count" ]
    check "$what gives the delays $expected" [ "$(delays out.gif)" = "$expected " ]
    check "$what keeps the length" [ "$(total out.gif)" = 100 ]
done <<'CASES'
equal-pixels --dedupe 5 30 20 10 10 30
one-pixel-of-400 --dedupe=0.25 4 30 20 20 30
every-3rd --every=3 4 30 30 30 10
at-most-4-a-second --max-fps=4 4 30 20 30 20
dedupe-then-every-2nd --dedupe_--every=2 3 50 20 30
CASES

# The canvas comes from the frames that stay, as in the window: a larger frame that goes
# leaves no larger canvas behind.
convert -size 40x40 xc:'#ffffff' big.png
run -q --every 2 -o small.gif a.png big.png b.png
check "a canvas of the frames kept" [ "$(identify -format '%Wx%H ' small.gif)" = "20x20 20x20 " ]

# Delays of a project: own delays count, merged into the frame kept.
cat >p.xml <<XML
<?xml version="1.0" encoding="UTF-8"?>
<project><name>p.gif</name><gif><width>20</width><height>20</height><delay_time>10</delay_time></gif>
<images><path delay="40">$WORK/a.png</path><path>$WORK/a.png</path><path>$WORK/b.png</path></images></project>
XML
run -q --dedupe -o project.gif p.xml
check "a project's frames merge with their own delays" [ "$(delays project.gif)" = "50 10 " ]
finish
