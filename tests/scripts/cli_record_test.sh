#!/bin/bash
# zoruvede-cli --record on an X server: the colours shown at known moments come out as frames
# of those colours, unchanged pictures merged, with delays that add up to the time recorded;
# the pointer drawn in or left out; Ctrl+C ends the recording and writes it, a second Ctrl+C
# abandons it; a region off the screen is refused. Skipped (77) without Xvfb or xsetroot.
# Usage: cli_record_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
[ -x "$CLI" ] || { echo "zoruvede-cli is not built: $CLI"; exit 1; }
GIFSICLE=$(command -v gifsicle || true)
CONVERT=$(command -v convert-im6.q16 || command -v convert || true)
for tool in Xvfb xsetroot xdotool; do
    command -v $tool >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
[ -n "$GIFSICLE" ] && [ -n "$CONVERT" ] || { echo "gifsicle or ImageMagick missing"; exit 77; }

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"
xvfb=
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$WORK"' EXIT
# -noreset: the root's colour stays when xsetroot, the last client, leaves.
Xvfb -displayfd 3 -noreset -screen 0 640x480x24 -nolisten tcp 3>display 2>xvfb.log &
xvfb=$!
for ((i = 0; i < 100; i++)); do [ -s display ] && break; sleep 0.1; done
[ -s display ] || { echo "Xvfb did not start"; cat xvfb.log; exit 1; }
export DISPLAY=":$(head -n1 display)" XDG_CACHE_HOME="$WORK/cache"

delays() { "$GIFSICLE" --info "$1" | sed -n 's/.*delay \([0-9.]*\)s.*/\1/p' | tr -d . | sed 's/^0*//'; }
colours() { "$CONVERT" "$1" -format "%[pixel:p{5,5}] " info:; }
sum() { local t=0 d; for d in $1; do t=$((t + d)); done; echo $t; }
near() { [ "$1" -ge $(($2 - $3)) ] && [ "$1" -le $(($2 + $3)) ]; }
# Every pixel of the GIF's first frame is red.
all_red() { [ "$("$CONVERT" "$1[0]" -fill black +opaque red -format "%[fx:mean]" info:)" != 0 ] &&
            [ "$("$CONVERT" "$1[0]" -format "%[fx:minima.r==1&&maxima.g==0]" info:)" = 1 ]; }

xsetroot -solid red
(sleep 1; xsetroot -solid blue; sleep 1; xsetroot -solid green) &
painter=$!
run -q --record --region 100x80+50+40 --fps 20 --duration 3 --no-pointer -o colours.gif
wait $painter
check "a recording of three seconds is written" [ "$rc" -eq 0 ]
check "one frame for each colour shown" [ "$(colours colours.gif)" = "srgb(255,0,0) srgb(0,0,255) srgb(0,255,0) " ]
check "the region's size" [ "$("$CONVERT" colours.gif[0] -format %wx%h info:)" = 100x80 ]
d=$(delays colours.gif)
check "the delays add up to three seconds ($(echo $d))" [ "$(sum "$d")" -eq 300 ]
check "each colour lasted about a second ($(echo $d))" near "$(echo "$d" | head -n1)" 100 20

xsetroot -solid red
xdotool mousemove 70 70
run -q --record --region 40x40+50+50 --duration 0.3 -o pointer.gif
check "the pointer is drawn in" [ "$rc" -eq 0 ] && ! all_red pointer.gif
run -q --record --region 40x40+50+50 --duration 0.3 --no-pointer -o plain.gif
check "--no-pointer leaves it out" all_red plain.gif

"$CLI" -q --record --region 64x64+0+0 -o stopped.gif 2>err &
pid=$!
sleep 1
kill -INT $pid
wait $pid
check "Ctrl+C ends the recording and writes it" [ $? -eq 0 ] && [ "$(sum "$(delays stopped.gif)")" -ge 80 ]
"$CLI" -q --record --region 64x64+0+0 -o abandoned.gif 2>err &
pid=$!
sleep 1
# Two signals of one kind sent at once merge into one: a TERM and an INT are two presses.
kill -TERM $pid
kill -INT $pid
wait $pid
check "a second Ctrl+C abandons it" [ $? -eq 130 ] && [ ! -e abandoned.gif ]

run -q --record --region 100x100+600+0 -o off.gif
check "a region off the screen is refused" [ "$rc" -eq 2 ] && contains err "doesn't lie within the screen (640x480)"
DISPLAY=:9999 run -q --record -o none.gif
check "a display that can't be reached is told" [ "$rc" -eq 1 ] && contains err "can't be reached"
finish
