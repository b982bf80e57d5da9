#!/bin/bash
# zoruvede-cli end to end: exit codes and messages, atomic replacement of the output, and
# files that the system's GIF tools read as the frames, delays and loop asked for.
# Usage: cli_export_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
[ -x "$CLI" ] || { echo "zoruvede-cli is not built: $CLI"; exit 1; }
CONVERT=$(command -v convert-im6.q16 || true)
GIFSICLE=$(command -v gifsicle || true)

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"

# Bad usage: status 2 and the usage text.
run
check "no arguments gives 2" [ "$rc" -eq 2 ]
check "no arguments prints usage" contains err "usage: zoruvede-cli"
for size in 640x 0x10 abc 10x70000 -5x5 10x10x10; do
    run --size "$size" -o a.gif x.png
    check "--size $size gives 2" [ "$rc" -eq 2 ]
    check "--size $size is named" contains err "bad --size"
done
run --delay 70000 -o a.gif x.png
check "delay out of range gives 2" [ "$rc" -eq 2 ]
for loop in -1 65537 abc ""; do
    run --loop "$loop" -o a.gif x.png
    check "--loop $loop gives 2" [ "$rc" -eq 2 ] && check "--loop $loop is named" contains err "bad --loop"
done
for list in 10,,20 10,x 70000 "" 5, -3; do
    run --delays "$list" -o a.gif x.png
    check "--delays $list gives 2" [ "$rc" -eq 2 ] && check "--delays $list is named" contains err "bad --delays"
done
run --bogus -o a.gif x.png
check "unknown option gives 2" [ "$rc" -eq 2 ]
run x.png
check "missing -o gives 2" [ "$rc" -eq 2 ]
run --help
check "--help succeeds on stdout" [ "$rc" -eq 0 ] && check "--help text" contains out "usage:"

# Inputs that can't be read: status 1, the file and the reason named, no output written.
run -o none.gif missing.png
check "missing input gives 1" [ "$rc" -eq 1 ]
check "missing input is named with the reason" contains err 'missing.png": No such file or directory'
check "missing input writes nothing" [ ! -e none.gif ]
printf '\211PNG\r\n\032\nnot really' >corrupt.png
run -o none.gif corrupt.png
check "corrupt input gives 1" [ "$rc" -eq 1 ]
check "corrupt input is named" contains err 'corrupt.png'
check "stdout stays clean on failure" [ ! -s out ]
printf 'BM6\0\0\0\0\0\0\0\66\0\0\0\50\0\0\0\2\0\0\0\2\0\0\0\1\0\30\0' >short.bmp
run -q -o none.gif short.bmp corrupt.png
check "with -q only the program's own messages reach stderr" [ -z "$(grep -v '^zoruvede-cli: ' err)" ]

# A named pipe or a folder as input is refused at once, never read (a pipe would block).
mkfifo pipe.png
timeout 20 "$CLI" -o none.gif pipe.png >out 2>err
rc=$?
check "a pipe as input gives 1 without blocking" [ "$rc" -eq 1 ]
check "the pipe is named as no regular file" contains err 'pipe.png": not a regular file'
mkdir -p folder.png
run -o none.gif folder.png
check "a folder as input gives 1" [ "$rc" -eq 1 ]

if [ -z "$CONVERT" ] || [ -z "$GIFSICLE" ]; then
    echo "ImageMagick or gifsicle missing: skipping the export checks"
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
fi

"$CONVERT" -size 64x48 gradient:red-blue a.png
"$CONVERT" -size 80x40 plasma:fractal -seed 3 b.jpg 2>/dev/null || "$CONVERT" -size 80x40 gradient:green-yellow b.jpg
"$CONVERT" -size 30x20 xc:red xc:lime xc:blue -loop 0 three.gif

# An existing output survives every failure, and no temporary file is left beside it.
echo old >keep.gif
run -o keep.gif a.png missing.png
check "failed export keeps the old file" [ "$(cat keep.gif)" = old ]
run --size 20x20 -o keep.gif a.png corrupt.png
check "late input failure gives 1" [ "$rc" -eq 1 ]
check "late input failure keeps the old file" [ "$(cat keep.gif)" = old ]
mkdir -p sub && echo old >sub/keep.gif
run -o sub/keep.gif --size 20x20 a.png corrupt.png
check "no temporary file is left" [ "$(ls -A sub)" = keep.gif ]
touch not-a-folder.gif
run -o not-a-folder.gif/out.gif a.png
check "unwritable output folder gives 1" [ "$rc" -eq 1 ]
check "unwritable output is named" contains err 'not-a-folder.gif/out.gif'
run -o missing-dir/out.gif a.png
check "missing output folder gives 1 with reason" [ "$rc" -eq 1 ] && check "reason given" contains err "No such file or directory"

# Only a regular file the user may write is replaced: a pipe, a device (through a link, as
# -o /dev/null is for root) and a folder stay what they are, each named as what it is.
mkfifo out-pipe.gif
ln -s /dev/null out-null.gif
mkdir -p out-dir
for out in "out-pipe.gif:it is a named pipe" "out-null.gif:it is a device" "out-dir/:it is a folder"; do
    run -o "${out%%:*}" a.png
    check "-o ${out%%:*} gives 1" [ "$rc" -eq 1 ]
    check "-o ${out%%:*} says ${out#*:}" contains err "${out%%:*}\": ${out#*:}, not a file"
done
check "the pipe stays a pipe" [ -p out-pipe.gif ]
check "the device stays a device behind its link" [ -L out-null.gif ] && check "/dev/null is a device" [ -c /dev/null ]
# A user's file named like a temporary file of a writer that is gone is never removed.
gone=$(sh -c 'echo $$')
echo mine >".backup.gif.$gone.backup"
run -q -o backup.gif a.png
check "a file named like a temporary one is kept" [ "$(cat ".backup.gif.$gone.backup")" = mine ]
# A read-only file is refused as the system refuses its writing; root may write it.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    chmod 755 . && mkdir -p ro && chmod 777 ro && echo old >ro/locked.gif && chmod 444 ro/locked.gif
    setpriv --reuid=65534 --regid=65534 --clear-groups "$CLI" -o ro/locked.gif a.png >out 2>err
    rc=$?
    check "a read-only output gives 1" [ "$rc" -eq 1 ]
    check "a read-only output is named as such" contains err 'locked.gif": the file is read-only'
    check "the read-only file is kept" [ "$(cat ro/locked.gif)" = old ]
fi

# A GIF of more frames than are read from one file is not exported without a word: status 1
# unless --skip-extra-frames takes its first 20000 frames.
{
    printf 'GIF89a\1\0\1\0\200\0\0\0\0\0\377\377\377'
    for ((i = 0; i < 20001; i++)); do printf ',\0\0\0\0\1\0\1\0\0\2\2D\1\0'; done
    printf ';'
} >long.gif
run -q -o long-out.gif long.gif
check "a GIF of 20001 frames gives 1" [ "$rc" -eq 1 ]
check "the GIF is named with the limit" contains err 'long.gif" has more than 20000 frames'
check "the way on is named" contains err "--skip-extra-frames"
check "nothing is written" [ ! -e long-out.gif ]
run -q --skip-extra-frames -o long-out.gif long.gif
check "--skip-extra-frames gives 0" [ "$rc" -eq 0 ]
check "--skip-extra-frames says what was left out" contains err 'using the first 20000 frames of "long.gif"'
"$GIFSICLE" --info long-out.gif >info 2>&1
check "the first 20000 frames are written" contains info "long-out.gif 20000 images"

# A successful export: every frame of the GIF input, the delay, looping forever, clean stdout.
run --delay 25 -o anim.gif a.png three.gif b.jpg
check "export succeeds" [ "$rc" -eq 0 ]
check "stdout is empty without --verbose" [ ! -s out ]
"$GIFSICLE" --info anim.gif >info 2>&1
check "five frames (the GIF gives all three)" contains info "anim.gif 5 images"
check "canvas from the frames" contains info "logical screen 80x40"
check "loops forever" contains info "loop forever"
check "delay kept" contains info "delay 0.25s"
"$GIFSICLE" anim.gif -o /dev/null 2>&1 | grep -v -e 'too many colors' -e '--colors' >decode-errors
check "gifsicle decodes every frame" [ ! -s decode-errors ]
check "ImageMagick reads five frames" [ "$("$CONVERT" anim.gif -format '%n\n' info: | head -1)" = 5 ]

run -q --delay 25 --threads 1 --quantizer quant -o anim2.gif a.png three.gif b.jpg
check "one thread gives the default bytes" cmp -s anim.gif anim2.gif
run -q --delay 25 --quantizer toolkit -o toolkit.gif a.png three.gif b.jpg
run -q --delay 25 --threads 1 --reducer bmp -o bmp.gif a.png three.gif b.jpg
check "the toolkit's quantiser gives the BMP reference bytes" cmp -s toolkit.gif bmp.gif
run -q --delay 25 --reducer direct -o direct.gif a.png three.gif b.jpg
check "--reducer direct is the toolkit's quantiser" cmp -s toolkit.gif direct.gif
# --optimize: a screen-recording-like set (few colours, a little typed at a time, a pause)
# plays back frame by frame as the full frames do, from a smaller file.
screen=()
for i in 0 1 2 3 4 5 6 7 8 9; do
    n=$((i < 7 ? i : 7))
    "$CONVERT" -size 160x120 xc:'#e0e0e0' -fill '#3050a0' -draw 'rectangle 0,0 159,12' \
        -fill white -draw 'rectangle 10,20 150,110' -fill black \
        -draw "rectangle 14,30 $((14 + n * 8)),36" "screen$i.png"
    screen+=("screen$i.png")
done
run -q -o screen-full.gif "${screen[@]}"
run -q --optimize -o screen-opt.gif "${screen[@]}"
check "--optimize succeeds" [ "$rc" -eq 0 ]
check "--optimize gives a smaller file" [ "$(stat -c %s screen-opt.gif)" -lt "$(stat -c %s screen-full.gif)" ]
"$CONVERT" screen-full.gif -coalesce full-%02d.png
"$CONVERT" screen-opt.gif -coalesce opt-%02d.png
check "the coalesced frames are as many" [ "$(ls opt-*.png | wc -l)" -eq 10 ] &&
    check "and as many as the full file's" [ "$(ls full-*.png | wc -l)" -eq 10 ]
differing=0
for f in full-*.png; do
    ae=$("$CONVERT" "$f" "opt-${f#full-}" -metric AE -compare -format '%[distortion]' info: 2>&1)
    [ "$ae" = 0 ] || differing=$((differing + 1))
done
check "every coalesced frame of --optimize equals the full file's" [ "$differing" -eq 0 ]
run -q --optimize --delay 25 -o anim-opt.gif a.png three.gif b.jpg
"$GIFSICLE" anim-opt.gif -o /dev/null 2>&1 | grep -v -e 'too many colors' -e '--colors' >decode-errors
check "gifsicle decodes every optimised frame" [ ! -s decode-errors ]
check "ImageMagick reads five optimised frames" [ "$("$CONVERT" anim-opt.gif -format '%n\n' info: | head -1)" = 5 ]
run --help
check "--help names --optimize" contains out "--optimize"

run --quantizer best -o x.gif a.png
check "unknown quantizer gives 2" [ "$rc" -eq 2 ] && check "it is named" contains err 'bad --quantizer "best"'
run --size 33x17 -o sized.gif a.png
"$GIFSICLE" --info sized.gif >info 2>&1
check "--size sets the canvas" contains info "logical screen 33x17"
run --verbose -o traced.gif a.png
check "--verbose writes the trace lines" contains out "thumbnail-3"

# Timing: a GIF input keeps its own delays (0 included) unless --delay is given; --delays
# gives one per output frame; --loop N plays N times (repeat count N - 1, none for once).
"$CONVERT" -size 30x20 \( xc:red -set delay 10 \) \( xc:lime -set delay 0 \) \
    \( xc:blue -set delay 250 \) -loop 0 mixed.gif
run -q -o kept.gif mixed.gif a.png
check "a GIF's own delays are kept, pictures get 10" [ "$(identify -format '%T ' kept.gif)" = "10 0 250 10 " ]
run -q --delay 30 -o common.gif mixed.gif a.png
check "--delay replaces a GIF's own delays" [ "$(identify -format '%T ' common.gif)" = "30 30 30 30 " ]
run -q --delays 7,0,1,65535 --threads 1 -o listed.gif mixed.gif a.png
check "--delays sets every frame" [ "$(identify -format '%T ' listed.gif)" = "7 0 1 65535 " ]
"$GIFSICLE" --info listed.gif >info 2>&1
check "gifsicle reads the listed delays" [ "$(grep -o 'delay [0-9.]*s' info | tr '\n' ' ')" = "delay 0.07s delay 0.01s delay 655.35s " ]
run -q --delays 7,0,1,65535 --threads 3 -o listed3.gif mixed.gif a.png
check "own delays give the same bytes on any number of threads" cmp -s listed.gif listed3.gif
run -q --delays 10,10 -o short.gif mixed.gif a.png
check "--delays not matching the frames gives 2" [ "$rc" -eq 2 ] && check "the counts are named" contains err "2 delays for 4 frames"
check "nothing written for it" [ ! -e short.gif ]
for loop in 0 1 2 5; do
    run -q --loop "$loop" -o loop$loop.gif mixed.gif
    "$GIFSICLE" --info loop$loop.gif >info$loop 2>&1
    identify -verbose loop$loop.gif 2>/dev/null | grep Iterations >iter$loop
done
check "--loop 0 loops forever" contains info0 "loop forever" && check "ImageMagick agrees" contains iter0 "Iterations: 0"
check "--loop 1 has no looping extension" [ -z "$(grep -E 'loop (forever|count)' info1)" ] && check "ImageMagick sees none" [ ! -s iter1 ]
check "--loop 2 repeats once" contains info2 "loop count 1" && check "ImageMagick plays it twice" contains iter2 "Iterations: 2"
check "--loop 5 repeats four times" contains info5 "loop count 4" && check "ImageMagick plays it 5 times" contains iter5 "Iterations: 5"
run -q -o default-loop.gif mixed.gif
check "no --loop is --loop 0 byte for byte" cmp -s default-loop.gif loop0.gif

# A project's own delays and loop setting (when it says the saved GIF uses it) are honoured.
cat >timed.xml <<XML
<?xml version="1.0" encoding="UTF-8"?>
<project><name>t.gif</name><gif loop="3" loop_saved="1"><width>30</width><height>20</height><delay_time>20</delay_time></gif>
<images><path delay="5">$WORK/a.png</path><path>$WORK/mixed.gif_2</path><path>$WORK/mixed.gif</path><path delay="0">$WORK/b.jpg</path></images></project>
XML
run -q -o timed.gif timed.xml
check "a project's own delays, the rest on its delay" [ "$(identify -format '%T ' timed.gif)" = "5 20 0 " ]
"$GIFSICLE" --info timed.gif >info 2>&1
check "the project's loop setting" contains info "loop count 2"
sed 's/loop_saved="1"/loop_saved="0"/' timed.xml >unsaved.xml
run -q -o unsaved.gif unsaved.xml
"$GIFSICLE" --info unsaved.gif >info 2>&1
check "a loop setting not for the saved GIF loops forever" contains info "loop forever"
run -q --loop 1 --delay 9 -o over.gif timed.xml
check "options take precedence over the project" [ "$(identify -format '%T ' over.gif)" = "9 9 9 " ] &&
    check "and the loop" [ -z "$("$GIFSICLE" --info over.gif | grep -E 'loop (forever|count)')" ]

# A name whose bytes are no UTF-8 is written under exactly those bytes, whatever the locale.
for locale in C C.UTF-8; do
    mkdir "bytes-$locale"
    name=$(printf 'out_\351.gif')
    LC_ALL=$locale "$CLI" -q -o "bytes-$locale/$name" a.png >out 2>err
    check "byte name in $locale succeeds" [ $? -eq 0 ]
    check "byte name in $locale is the only file" [ "$(ls -A "bytes-$locale")" = "$name" ]
    LC_ALL=$locale "$CLI" -q -o "missing-dir/$name" a.png >out 2>err
    check "byte name in $locale is named as typed" contains err "missing-dir/$name"
done
check "replacing a file works" [ "$(head -c 6 keep.gif)" = old ] && run -o keep.gif a.png && check "replaced" [ "$(head -c 6 keep.gif)" = GIF89a ]

# A damaged picture is refused in one sentence: the toolkit's decoders assert on some damage
# (a bitmap 0 rows high), and no such report reaches the user.
printf 'BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x06\0\0\0\0\0\0\0\x01\0\x18\0' >flat.bmp
head -c 38 /dev/zero >>flat.bmp
run -o flat.gif flat.bmp
check "a bitmap 0 rows high gives 1" [ "$rc" -eq 1 ]
check "it is named" contains err "can't read"
check "no assertion report" [ "$(grep -c -i assert err)" -eq 0 ]

# A JPEG cut short still decodes (its missing rows grey); the decoder's own warning about it
# is not passed on.
"$CONVERT" -seed 5 -size 200x150 plasma:fractal whole.jpg 2>/dev/null ||
    "$CONVERT" -size 200x150 gradient:red-blue whole.jpg
head -c $(($(stat -c %s whole.jpg) - 100)) whole.jpg >cut.jpg
run -q -o cut.gif a.png cut.jpg
check "a cut JPEG is exported" [ "$rc" -eq 0 ]
check "with a cut JPEG only the program's own messages reach stderr" [ -z "$(grep -v '^zoruvede-cli: ' err)" ]
check "the cut JPEG is named as damaged" contains err 'damaged file "cut.jpg": the file ends before its end-of-image marker'
head -c $(($(stat -c %s three.gif) - 1)) three.gif >open.gif
run -q --size 20x20 -o cut.gif open.gif whole.jpg
check "a GIF without its trailer is exported" [ "$rc" -eq 0 ]
check "it is named as damaged, the whole JPEG is not" [ "$(grep -c 'damaged file' err)" -eq 1 ] &&
    check "the GIF is the one named" contains err 'damaged file "open.gif"'
"$GIFSICLE" --info cut.gif >info 2>&1
check "its three frames and the JPEG are kept" contains info "cut.gif 4 images"
{ cat whole.jpg; printf 'appended by an editor'; } >trailed.jpg
run -q -o trailed.gif trailed.jpg
check "bytes after a JPEG's end are no damage" [ "$rc" -eq 0 ] && check "no warning" [ ! -s err ]

# A project with a missing frame is refused unless asked to leave it out; a broken one is named.
cat >proj.xml <<XML
<?xml version="1.0" encoding="UTF-8"?>
<project><name>p.gif</name><gif><width>40</width><height>30</height><delay_time>20</delay_time></gif>
<images><path>$WORK/a.png</path><path>$WORK/gone.png</path><path>$WORK/b.jpg</path></images></project>
XML
run -o proj.gif proj.xml
check "a missing project frame gives 1" [ "$rc" -eq 1 ]
check "the missing frame is named" contains err 'missing file "'"$WORK"'/gone.png"'
check "nothing written for it" [ ! -e proj.gif ]
run -q --skip-missing -o proj.gif proj.xml
check "--skip-missing exports the rest" [ "$rc" -eq 0 ]
"$GIFSICLE" --info proj.gif >info 2>&1
check "two frames at the project's canvas" contains info "proj.gif 2 images" && check "canvas" contains info "logical screen 40x30"
printf '<project><name/></project>' >broken.xml
run -o b.gif broken.xml
check "an unusable project gives 1" [ "$rc" -eq 1 ] && check "what is missing is named" contains err 'element "gif"'

finish
