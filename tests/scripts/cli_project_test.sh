#!/bin/bash
# zoruvede-cli with project files: files of older versions give every frame, frames of video
# clips and of GIFs are found by the file their names refer to, and hostile files are refused
# at once with the reason.
# Usage: cli_project_test.sh <source dir> <build dir>
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
project() {  # project FILE ENTRY...: a project of 40 x 30 with these path entries
    local file=$1
    shift
    {
        printf '<?xml version="1.0" encoding="UTF-8"?>\n<project>\n  <name>p.gif</name>\n'
        printf '  <gif>\n    <width>40</width>\n    <height>30</height>\n'
        printf '    <delay_time>10</delay_time>\n  </gif>\n  <images>\n'
        for entry in "$@"; do printf '    <path>%s</path>\n' "$entry"; done
        printf '  </images>\n</project>\n'
    } >"$file"
}

"$CONVERT" -size 40x30 xc:red a.png
"$CONVERT" -size 40x30 xc:blue xc:green xc:yellow g.gif
"$CONVERT" -size 40x30 xc:gray10 xc:gray20 xc:gray30 xc:gray40 xc:gray50 xc:gray60 xc:gray70 \
    xc:gray80 xc:gray90 xc:white xc:black xc:cyan xc:magenta m.gif
"$CONVERT" -size 40x30 xc:orange xc:purple upper.gif && mv upper.gif X.GIF

# As older versions wrote them: a frame of X.GIF under the file's own path, and run markers
# shortened by two characters ("m.gif_" after frame 12, "g.gif" before a run's last frame).
project old.xml "$WORK/a.png" "$WORK/m.gif_11" "$WORK/m.gif_12" "$WORK/m.gif_" "$WORK/X.GIF" \
    "$WORK/g.gif_0" "$WORK/g.gif" "$WORK/g.gif_2"
run -q -o old.gif old.xml
check "an older version's project exports" [ "$rc" -eq 0 ] && check "silently" [ ! -s err ]
check "with every frame and no marker" [ "$(frames old.gif)" -eq 6 ]

# Frames kept in the project's own folder are named relative to the project, which is read
# from anywhere: the working folder is not the project's.
mkdir -p saved/rec.frames && cp a.png saved/rec.frames/0001.png &&
    "$CONVERT" -size 40x30 xc:navy saved/rec.frames/0002.png
project saved/rec.xml rec.frames/0001.png "$WORK/g.gif_1" rec.frames/0002.png
(cd / && "$CLI" -q -o "$WORK/rec.gif" "$WORK/saved/rec.xml")
check "a project with frames in its folder exports" [ $? -eq 0 ] &&
    check "all three" [ "$(frames rec.gif)" -eq 3 ] &&
    check "the last one from the folder" [ "$("$CONVERT" 'rec.gif[2]' -format '%[hex:p{5,5}]' info:)" = "000080" ]

# Frames of a video clip are found by the clip, not by their names.
"$FFMPEG" -hide_banner -loglevel error -y -f lavfi -i testsrc=s=80x60:r=10:d=2 \
    -c:v libx264 -pix_fmt yuv420p clip.mp4 </dev/null || exit 1
project video.xml "$WORK/clip.mp4#t=0.500&amp;w=40" "$WORK/a.png" "$WORK/clip.mp4#t=1.500&amp;w=40"
run -q -o video.gif video.xml
check "a project with video frames exports" [ "$rc" -eq 0 ] && check "all three" [ "$(frames video.gif)" -eq 3 ]
project gone.xml "$WORK/gone.mp4#t=0.500&amp;w=40" "$WORK/a.png"
run -q -o gone.gif gone.xml
check "a moved clip's frame is missing" [ "$rc" -eq 1 ] &&
    check "named by its frame" contains err "missing file \"$WORK/gone.mp4#t=0.500&w=40\""

# A frame its GIF doesn't have, and a file that is no regular file, are named, never dropped.
project short.xml "$WORK/g.gif_7" "$WORK/a.png" /dev/zero
run -q -o short.gif short.xml
check "they are refused" [ "$rc" -eq 1 ] && check "the device is named with why" contains err '"/dev/zero": not a regular file'
project short.xml "$WORK/g.gif_7" "$WORK/a.png"
run -q -o short.gif short.xml
check "so is a frame past the GIF's end" [ "$rc" -eq 1 ] && check "named" contains err "\"$WORK/g.gif_7\": its GIF has no frame 8"
run -q --skip-missing -o short.gif short.xml
check "--skip-missing leaves it out, saying so" [ "$rc" -eq 0 ] && contains err "leaving out the missing frame" &&
    check "and exports the rest" [ "$(frames short.gif)" -eq 1 ]

# Hostile files are refused before any tree is built.
python3 -c "import sys; sys.stdout.write('<a>' * 200000)" >deep.xml
python3 -c "import sys; sys.stdout.write('<project' + ''.join(' a%d=\"1\"' % i for i in range(100000)) + '/>')" >attrs.xml
truncate -s 60000000 large.xml
for case in "deep.xml:nested more than 16 deep" "attrs.xml:an element with more than 16 attributes" \
    "large.xml:larger than 50 MB"; do
    run -q -o hostile.gif "${case%%:*}"
    check "${case%%:*} is refused" [ "$rc" -eq 1 ] && check "${case%%:*}: why" contains err "${case#*:}"
done

finish
