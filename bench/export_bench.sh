#!/bin/bash
# Exports 60 photographs of 640 x 480 with zoruvede-cli (its default quantiser, cropped and
# turned, and the toolkit's with and without the BMP pass) and with ImageMagick's
# `convert -delay 10 -loop 0`, side by side in one run, and prints wall time, time per frame,
# peak memory (maximum resident set) and output size of each, and the ratios.
#
# Usage: bench/export_bench.sh <build dir> [repetitions]
# The frames are cut from Debian's mate-backgrounds photographs when installed
# (apt-get install mate-backgrounds); otherwise ImageMagick's plasma fractals stand in.
set -eu
BUILD=$(cd "${1:?usage: export_bench.sh <build dir> [repetitions]}" && pwd)
REPS=${2:-3}
CLI="$BUILD/bin/zoruvede-cli"
CONVERT=$(command -v convert-im6.q16 || command -v convert)
TIME=/usr/bin/time
[ -x "$CLI" ] || { echo "build zoruvede-cli first: $CLI" >&2; exit 1; }
[ -x "$TIME" ] || { echo "needs GNU time (apt-get install time)" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FRAMES="$WORK/frames"
mkdir -p "$FRAMES"

PHOTOS=(/usr/share/backgrounds/mate/nature/*.jpg)
n=0
if [ -e "${PHOTOS[0]}" ]; then
    source_kind="photographs from mate-backgrounds"
    # Five different crops of each photograph: 12 photographs give 60 distinct frames.
    for photo in "${PHOTOS[@]}"; do
        for zoom in 0 1 2 3 4; do
            n=$((n + 1))
            [ "$n" -le 60 ] || break 2
            w=$((1280 - zoom * 120)) h=$((960 - zoom * 90))
            "$CONVERT" "$photo" -resize 1280x960^ -gravity center -crop "${w}x${h}+0+0" +repage \
                -resize '640x480!' -quality 92 "$(printf '%s/f%02d.jpg' "$FRAMES" "$n")"
        done
    done
fi
if [ "$n" -lt 60 ]; then
    source_kind="generated plasma images (install mate-backgrounds for photographs)"
    for i in $(seq $((n + 1)) 60); do
        "$CONVERT" -size 640x480 -seed "$i" plasma:fractal -blur 0x1 -quality 92 \
            "$(printf '%s/f%02d.jpg' "$FRAMES" "$i")"
    done
fi
INPUTS=("$FRAMES"/f*.jpg)
COUNT=${#INPUTS[@]}

# measure NAME COMMAND...: runs once, appends "NAME seconds kilobytes" to the results.
measure() {
    local name=$1
    shift
    "$TIME" -f "%e %M" -o "$WORK/t" "$@" >/dev/null 2>"$WORK/err" || { cat "$WORK/err" >&2; exit 1; }
    echo "$name $(cat "$WORK/t")" >>"$WORK/results"
}

: >"$WORK/results"
for rep in $(seq "$REPS"); do
    # Alternate the order so that neither tool always runs on a warm cache.
    if [ $((rep % 2)) -eq 1 ]; then
        measure cli "$CLI" -q -o "$WORK/cli.gif" "${INPUTS[@]}"
        measure im "$CONVERT" -delay 10 -loop 0 "${INPUTS[@]}" "$WORK/im.gif"
    else
        measure im "$CONVERT" -delay 10 -loop 0 "${INPUTS[@]}" "$WORK/im.gif"
        measure cli "$CLI" -q -o "$WORK/cli.gif" "${INPUTS[@]}"
    fi
    measure cli-size "$CLI" -q --size 640x480 -o "$WORK/cli-size.gif" "${INPUTS[@]}"
    measure cli-1thread "$CLI" -q --threads 1 -o "$WORK/cli-1.gif" "${INPUTS[@]}"
    # A crop of the whole canvas and a turn: as many pixels as the plain export, every edit
    # of the picture on the way.
    measure cli-edited "$CLI" -q --crop 640x480+0+0 --rotate 90 -o "$WORK/cli-edited.gif" "${INPUTS[@]}"
done
measure cli-toolkit "$CLI" -q --quantizer toolkit -o "$WORK/cli-toolkit.gif" "${INPUTS[@]}"
measure cli-bmp-pass "$CLI" -q --quantizer bmp -o "$WORK/cli-bmp.gif" "${INPUTS[@]}"

for variant in cli-size cli-1; do
    cmp -s "$WORK/cli.gif" "$WORK/$variant.gif" || { echo "BYTES DIFFER: $variant.gif" >&2; exit 1; }
done
cmp -s "$WORK/cli-toolkit.gif" "$WORK/cli-bmp.gif" || { echo "BYTES DIFFER: cli-bmp.gif" >&2; exit 1; }

echo "Frames: $COUNT of 640x480, $source_kind; $(nproc) processors; median of $REPS runs"
awk -v frames="$COUNT" -v clisize="$(stat -c %s "$WORK/cli.gif")" -v imsize="$(stat -c %s "$WORK/im.gif")" '
    { t[$1] = t[$1] " " $2; m[$1] = m[$1] " " $3 }
    function median(list,   a, n, i, j, x) {
        n = split(list, a, " ")
        for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    END {
        printf "%-13s %9s %12s %12s\n", "run", "wall s", "ms/frame", "peak MiB"
        split("cli cli-size cli-1thread cli-edited cli-toolkit cli-bmp-pass im", order, " ")
        for (k = 1; k <= 7; k++) {
            name = order[k]; if (!(name in t)) continue
            tw = median(t[name]); mm = median(m[name])
            printf "%-13s %9.2f %12.1f %12.1f\n", name, tw, 1000 * tw / frames, mm / 1024
            wall[name] = tw; mem[name] = mm
        }
        printf "output bytes: zoruvede-cli %d, ImageMagick %d\n", clisize, imsize
        printf "zoruvede-cli / ImageMagick: wall time %.3f, peak memory %.3f (goal: both at most 0.5)\n",
               wall["cli"] / wall["im"], mem["cli"] / mem["im"]
        printf "cropped and turned / plain: wall time %.3f, peak memory %.3f (goal: time at most 1.1)\n",
               wall["cli-edited"] / wall["cli"], mem["cli-edited"] / mem["cli"]
    }' "$WORK/results"
echo "The default's variants wrote identical bytes, and so did the toolkit's quantiser and the BMP pass."
