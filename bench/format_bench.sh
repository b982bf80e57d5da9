#!/bin/bash
# Writes each set of frames as our default GIF, our animated WebP (lossy at the default
# quality, and lossless) and, from the same frames, img2webp's lossy (its -q 80, as ours) and
# lossless WebP, once each, and prints for each file its size, its size next to our GIF's, the
# wall time and the mean SSIM of its frames against the originals (ffmpeg's ssim filter on the
# frames ImageMagick composes back out of the file; SSIM=0 leaves it out, it is the slow part).
#
# Usage: bench/format_bench.sh <build dir> [frame folder...]
# Default folders: /work/benchdata/photo60 and /work/benchdata/screen60 (60 PNG frames each).
set -eu
BUILD=$(cd "${1:?usage: format_bench.sh <build dir> [frame folder...]}" && pwd)
shift
SETS=("$@")
[ ${#SETS[@]} -gt 0 ] || SETS=(/work/benchdata/photo60 /work/benchdata/screen60)
CLI="$BUILD/bin/zoruvede-cli"
CONVERT=$(command -v convert-im6.q16 || command -v convert)
TIME=/usr/bin/time
[ -x "$CLI" ] || { echo "build zoruvede-cli first: $CLI" >&2; exit 1; }
for tool in "$TIME" img2webp ffmpeg "$CONVERT"; do
    command -v "$tool" >/dev/null || { echo "needs $tool (scripts/install-deps --bench)" >&2; exit 1; }
done

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

timed() {  # timed command...: runs it, seconds in $seconds
    "$TIME" -f "%e" -o "$WORK/t" "$@" >/dev/null 2>"$WORK/err" || { cat "$WORK/err" >&2; exit 1; }
    seconds=$(tail -1 "$WORK/t")
}

ssim() {  # ssim FILE: mean SSIM of its frames against the set's, or "-"
    [ "${SSIM:-1}" = 0 ] && { echo "-"; return; }
    rm -rf "$WORK/dec" && mkdir "$WORK/dec"
    "$CONVERT" -limit memory 512MiB "$1" -coalesce "$WORK/dec/%03d.png" 2>/dev/null
    ffmpeg -nostdin -nostats -v info -i "$WORK/orig/%03d.png" -i "$WORK/dec/%03d.png" -lavfi "[0][1]ssim" \
        -f null - 2>&1 | sed -n 's/.* All:\([0-9.]*\).*/\1/p' | tail -1
}

for set in "${SETS[@]}"; do
    frames=("$set"/*.png)
    rm -rf "$WORK/orig" && mkdir "$WORK/orig"
    i=0
    for f in "${frames[@]}"; do
        ln -s "$f" "$WORK/orig/$(printf %03d "$i").png"
        i=$((i + 1))
    done
    size=$(identify -format "%wx%h" "${frames[0]}")
    echo "== $(basename "$set"): ${#frames[@]} frames of $size"
    printf "%-28s %12s %8s %8s %8s\n" writer bytes "x GIF" seconds SSIM
    row() {  # row NAME FILE
        local bytes
        bytes=$(stat -c %s "$2")
        printf "%-28s %12d %8.3f %8.2f %8s\n" "$1" "$bytes" \
            "$(echo "$bytes / $gif_bytes" | bc -l)" "$seconds" "$(ssim "$2")"
    }
    timed "$CLI" -q -o "$WORK/ours.gif" "${frames[@]}"
    gif_bytes=$(stat -c %s "$WORK/ours.gif")
    row "ours GIF (default)" "$WORK/ours.gif"
    timed "$CLI" -q -o "$WORK/ours-lossy.webp" "${frames[@]}"
    row "ours WebP lossy (default)" "$WORK/ours-lossy.webp"
    timed "$CLI" -q --lossless -o "$WORK/ours-lossless.webp" "${frames[@]}"
    row "ours WebP lossless" "$WORK/ours-lossless.webp"
    timed img2webp -loop 0 -lossy -q 80 -mixed -d 100 "${frames[@]}" -o "$WORK/img2webp-lossy.webp"
    row "img2webp -lossy -q 80 -mixed" "$WORK/img2webp-lossy.webp"
    timed img2webp -loop 0 -lossless -d 100 "${frames[@]}" -o "$WORK/img2webp-lossless.webp"
    row "img2webp -lossless" "$WORK/img2webp-lossless.webp"
done
