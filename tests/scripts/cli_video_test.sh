#!/bin/bash
# zoruvede-cli with video clips: the frames --fps, --start, --end/--duration and --width choose,
# with delays that follow the rate, mixed with pictures; bad times and bad clips.
# Usage: cli_video_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
[ -x "$CLI" ] || { echo "zoruvede-cli is not built: $CLI"; exit 1; }
FFMPEG=$(command -v ffmpeg || true)
GIFSICLE=$(command -v gifsicle || true)
CONVERT=$(command -v convert-im6.q16 || command -v convert || true)
[ -n "$FFMPEG" ] && [ -n "$GIFSICLE" ] && [ -n "$CONVERT" ] ||
    { echo "ffmpeg, gifsicle or ImageMagick missing"; exit 77; }

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"
delays() { "$GIFSICLE" --info "$1" | sed -n 's/.*delay \([0-9.]*\)s.*/\1/p' | tr '\n' ' '; }
between() { [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]; }
sizeof() { "$GIFSICLE" --info "$1" | sed -n 's/.*logical screen \([0-9]*x[0-9]*\).*/\1/p'; }

"$FFMPEG" -hide_banner -loglevel error -y -f lavfi -i testsrc=s=320x240:r=30:d=4 \
    -c:v libx264 -pix_fmt yuv420p clip.mp4 </dev/null || exit 1
"$CONVERT" -size 160x120 xc:red still.png

run -q --fps 15 --start 1 --duration 1 --width 160 -o a.gif clip.mp4
check "a stretch exports" [ "$rc" -eq 0 ]
check "15 frames for a second at 15 fps" [ "$(frames a.gif)" -eq 15 ]
check "delays 7, 7, 6 repeating" [ "$(delays a.gif | cut -d' ' -f1-6)" = "0.07 0.07 0.06 0.07 0.07 0.06" ]
check "decoded 160 wide, the height following" [ "$(sizeof a.gif)" = 160x120 ]

run -q --start 0:03 -o b.gif clip.mp4 still.png
check "to the clip's end, then the picture" [ "$(frames b.gif)" -eq 11 ]
check "clock times and default width (the clip's 320)" [ "$(sizeof b.gif)" = 320x240 ]

run -q --fps 10 --start 1 --end 1.5 --delay 20 -o c.gif clip.mp4
check "--delay overrides the rate's delays" [ "$(delays c.gif)" = "0.20 0.20 0.20 0.20 0.20 " ]

for bad in "--start abc" "--end 1:75" "--fps 0" "--fps 61" "--width 0" "--width 16385" \
    "--end 2 --duration 1" "--start 3 --end 2"; do
    # shellcheck disable=SC2086
    run $bad -o bad.gif clip.mp4
    check "$bad is bad usage" [ "$rc" -eq 2 ]
done

echo "not a video" >notes.mp4
"$FFMPEG" -hide_banner -loglevel error -y -f lavfi -i sine=d=1 -c:a aac tone.m4a </dev/null
for clip in notes.mp4 tone.m4a; do
    run -q -o none.gif "$clip"
    check "$clip fails with 1" [ "$rc" -eq 1 ]
    check "$clip is named" contains err "$clip"
    check "nothing written for $clip" [ ! -e none.gif ]
done
run -q --start 10 -o none.gif clip.mp4
check "a start after the end fails with 1" [ "$rc" -eq 1 ]
check "the reason is given" contains err "shorter than the start"
check "the libraries stay quiet" [ "$(grep -vc "zoruvede-cli" err)" -eq 0 ]


# Frames are held to the limit of a picture: a portrait clip at 16384 wide would be 21845 high.
"$FFMPEG" -hide_banner -loglevel error -y -f lavfi -i testsrc=s=120x160:r=10:d=1 \
    -c:v libx264 -pix_fmt yuv420p tall.mp4 </dev/null || exit 1
run -q --width 16384 -o tall.gif tall.mp4
check "a frame past the limit fails with 1" [ "$rc" -eq 1 ]
check "its size and the limit are told" contains err "16384 × 21845 pixels (the largest side read is 16384)"

# Clips a player plays: cut short, one key picture in MPEG-TS, no stated length.
make() {  # make FILE OPTIONS...: four seconds at 30 pictures a second
    local file=$1
    shift
    "$FFMPEG" -hide_banner -loglevel error -y -f lavfi -i testsrc=s=160x120:r=30:d=4 \
        -c:v libx264 -pix_fmt yuv420p "$@" "$file" </dev/null
}
make whole.mp4 -movflags +faststart || exit 1
head -c $(($(stat -c %s whole.mp4) / 2)) whole.mp4 >cut.mp4
make one_key.ts -x264-params keyint=1000:scenecut=0 || exit 1
make live.mkv -live 1 || exit 1
run -q -o cut.gif cut.mp4
check "a clip cut short exports" [ "$rc" -eq 0 ]
check "what was cut is told" contains err "damaged file \"cut.mp4\": the file ends after"
n=$(frames cut.gif)
check "the frames up to the cut ($n)" between "$n" 15 25
for clip in one_key.ts live.mkv; do
    run -q -o whole.gif "$clip"
    check "$clip exports" [ "$rc" -eq 0 ]
    check "$clip gives all 40 frames" [ "$(frames whole.gif)" -eq 40 ]
    check "$clip is no damaged file" [ ! -s err ]
done

finish
