#!/bin/bash
# zoruvede-cli writing animated WebP: chosen by the output's extension or --format, read by
# libwebp's tools and ImageMagick with every frame, delay and the loop count; the types it
# can't write yet and the options that don't fit a type refused before anything is written.
# Usage: cli_webp_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
[ -x "$CLI" ] || { echo "zoruvede-cli is not built: $CLI"; exit 1; }
CONVERT=$(command -v convert-im6.q16 || command -v convert || true)
IDENTIFY=$(command -v identify-im6.q16 || command -v identify || true)
WEBPINFO=$(command -v webpinfo || true)
[ -n "$CONVERT" ] && [ -n "$IDENTIFY" ] && [ -n "$WEBPINFO" ] || { echo "ImageMagick or webpinfo missing"; exit 77; }

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"
size() { stat -c %s "$1"; }

for i in 1 2 3 4 5; do
    "$CONVERT" -size 96x64 -seed "$i" plasma:fractal "f$i.png" 2>/dev/null
done
frames=(f1.png f2.png f3.png f4.png f5.png)

# By extension, in any case, and by --format whatever the name.
run -q --loop 3 --delays 4,8,12,16,20 -o lossy.WEBP "${frames[@]}"
check "an upper-case .WEBP writes a WebP" [ "$rc" -eq 0 ]
"$WEBPINFO" lossy.WEBP >info 2>&1
check "webpinfo finds the file valid" contains info "No error detected"
check "the loop count is kept" contains info "Loop count *: 3"
check "every delay is kept" [ "$(grep -c "Duration" info)" -eq 5 ] && contains info "Duration: 200"
check "ImageMagick counts every frame" [ "$("$IDENTIFY" lossy.WEBP 2>/dev/null | wc -l)" -eq 5 ]
run -q --format webp --lossless -o lossless.anim "${frames[@]}"
check "--format webp --lossless writes a WebP" [ "$rc" -eq 0 ] && contains info "Format: Lossy" && \
    "$WEBPINFO" lossless.anim 2>&1 | grep -q "Format: Lossless"
check "the lossy file is the smaller" [ "$(size lossy.WEBP)" -lt "$(size lossless.anim)" ]
run -q -o plain.gif "${frames[@]}"
check "a .gif is still a GIF" [ "$(head -c 6 plain.gif)" = "GIF89a" ]
run -q --format gif -o named.webp "${frames[@]}"
check "--format gif overrides .webp" [ "$(head -c 6 named.webp)" = "GIF89a" ]

# Refused before reading anything: status 2, the reason, nothing written.
refused() {  # refused "what" "message" args...
    local what=$1 message=$2
    shift 2
    run "$@" "${frames[@]}"
    check "$what gives 2" [ "$rc" -eq 2 ] && check "$what says why" contains err "$message"
}
refused "a .png name" "written as an APNG only with --format apng" -o still.PNG
refused "an unknown type" "bad --format \"tiff\"" --format tiff -o a.webp
refused "--lossless for a GIF" "--lossless is for WebP files" --lossless -o a.gif
refused "--lossless for a video" "--lossless is for WebP files" --lossless -o a.mp4
refused "--max-size for a WebP" "--max-size is for GIF files for now" --max-size 1M -o a.webp
check "nothing was written" [ ! -e still.PNG ] && [ ! -e a.webp ] && [ ! -e a.gif ] && [ ! -e a.mp4 ]

# An animated PNG by its .apng name, or a .png one with --format apng: every frame is there.
run -q --loop 2 -o a.apng "${frames[@]}"
check "an .apng name writes an animated PNG" [ "$rc" -eq 0 ] && [ "$(head -c 4 a.apng | tail -c 3)" = "PNG" ]
run -q --format apng -o anim.png "${frames[@]}"
check "--format apng writes a .png name" [ "$rc" -eq 0 ] && cmp -s a.apng anim.png || [ "$rc" -eq 0 ]
if command -v ffprobe >/dev/null; then
    count=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 a.apng)
    check "ffprobe decodes every frame of the APNG" [ "$count" = "5" ]
    # Videos by their names: every frame there, an H.264 or VP9 stream of the even size.
    for type in mp4:h264 webm:vp9; do
        run -q --delays 4,8,12,16,20 -o "v.${type%%:*}" "${frames[@]}"
        check "a .${type%%:*} name writes a video" [ "$rc" -eq 0 ]
        info=$(ffprobe -v error -count_frames -select_streams v:0 \
            -show_entries stream=codec_name,width,height,nb_read_frames -of csv=p=0 "v.${type%%:*}")
        check "the ${type%%:*} holds 5 frames of ${type#*:} at 96x64" [ "$info" = "${type#*:},96,64,5" ]
    done
fi

# A failed write leaves the old file and no other.
mkdir ro && echo old >ro/a.webp && chmod a-w ro
if [ ! -w ro ]; then
    run -q -o ro/a.webp "${frames[@]}"
    check "an unwritable folder gives 1" [ "$rc" -eq 1 ] && check "the file is named" contains err "ro/a.webp"
    check "the old WebP stays alone" [ "$(cat ro/a.webp)" = "old" ] && [ "$(ls -A ro | wc -l)" -eq 1 ]
fi
chmod u+w ro

finish
