#!/bin/bash
# Video import against the ffmpeg command line on a 1920 x 1080 H.264 clip of 15 s (a moving
# test pattern, x264's default settings and key picture interval): 10 s from 2 s in, 10 frames a
# second, 640 wide, taken
#   - by ffmpeg: `ffmpeg -ss 2 -t 10 -i clip -vf fps=10,scale=640:-1 frame%03d.png`, and for
#     reference the same with no output (`-f null -`), its decoding and scaling alone;
#   - by the core decoder alone (bin/video_decode_bench, no GIF reduction);
#   - by the main window (bin/video_window_bench under xvfb-run): from the dialog's OK to the
#     last frame in the strip, with the window's resident memory growth.
# ffmpeg's and the core decoder's figures are those of the whole process (GNU time); the
# window's are those of the import alone. Then the goals: core <= 1.5 x ffmpeg's wall time,
# window <= 2 x ffmpeg's wall time, the window's peak memory growth <= 1.25 x the frames'
# pictures at 4 bytes a pixel + 100 MiB.
#
# Usage: bench/video_bench.sh <build dir> [repetitions]
#   Figures are the median of the repetitions (default 3). The clip is made once and kept in
#   CLIP_DIR (default ~/.cache/zoruvede-video-bench).
# ffmpeg, GNU time and xvfb are installed when missing (scripts/install-deps --bench).
set -eu
BUILD=$(cd "${1:?usage: video_bench.sh <build dir> [repetitions]}" && pwd)
REPS=${2:-3}
DECODE="$BUILD/bin/video_decode_bench"
WINDOW="$BUILD/bin/video_window_bench"
for tool in "$DECODE" "$WINDOW"; do
    [ -x "$tool" ] || { echo "build $(basename "$tool") first: $tool" >&2; exit 1; }
done

"$(dirname "$0")/../scripts/install-deps" --bench >&2
FFMPEG=$(command -v ffmpeg)
TIME=/usr/bin/time

START=2 DURATION=10 FPS=10 WIDTH=640
CLIP_DIR=${CLIP_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/zoruvede-video-bench}
CLIP="$CLIP_DIR/h264-1920x1080-15s.mp4"
if [ ! -s "$CLIP" ]; then
    echo "making the clip $CLIP" >&2
    mkdir -p "$CLIP_DIR"
    # Beside the clip and renamed when complete, so an interrupted run leaves no half clip.
    "$FFMPEG" -v error -f lavfi -i testsrc2=size=1920x1080:rate=30:duration=15 \
        -c:v libx264 -pix_fmt yuv420p -y "$CLIP.part.mp4"
    mv "$CLIP.part.mp4" "$CLIP"
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
: >"$WORK/results"

# timed NAME COMMAND...: runs once under GNU time; appends "NAME field value" lines for the
# process's wall and CPU seconds and peak MiB, and for each "field value" line it prints.
timed() {
    local name=$1
    shift
    "$TIME" -f "%e %M %U %S" -o "$WORK/time" "$@" >"$WORK/out" 2>"$WORK/err" ||
        { cat "$WORK/err" >&2; exit 1; }
    awk -v n="$name" '{ printf "%s wall_s %s\n%s peak_rss_mib %.1f\n%s cpu_s %.2f\n", n, $1, n, $2 / 1024, n, $3 + $4 }' \
        "$WORK/time" >>"$WORK/results"
    awk -v n="$name" 'NF == 2 { print n "-own", $1, $2 }' "$WORK/out" >>"$WORK/results"
}

run_ffmpeg() {
    rm -rf "$WORK/png" && mkdir "$WORK/png"
    timed ffmpeg "$FFMPEG" -v error -ss "$START" -t "$DURATION" -i "$CLIP" \
        -vf "fps=$FPS,scale=$WIDTH:-1" "$WORK/png/frame%03d.png"
    echo "ffmpeg-own frames $(find "$WORK/png" -name 'frame*.png' | wc -l)" >>"$WORK/results"
}
run_ffmpeg_null() {
    timed ffmpeg-null "$FFMPEG" -v error -ss "$START" -t "$DURATION" -i "$CLIP" \
        -vf "fps=$FPS,scale=$WIDTH:-1" -f null -
}
run_core() { timed core "$DECODE" "$CLIP" "$START" "$DURATION" "$FPS" "$WIDTH"; }
run_window() {
    timed window xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$WINDOW" "$CLIP" "$START" "$DURATION" "$FPS" "$WIDTH"
}

for rep in $(seq "$REPS"); do
    # Rotate the order so that no case always runs first on a cold cache.
    order="ffmpeg ffmpeg_null core window"
    for _ in $(seq $(((rep - 1) % 4))); do order="${order#* } ${order%% *}"; done
    for case in $order; do "run_$case"; done
done

echo "clip: 1920x1080 H.264, 15 s; ${DURATION} s from ${START} s at ${FPS} fps, ${WIDTH} wide;" \
    "$(nproc) processors; median of $REPS runs"
awk '
    function median(list,   a, n, i, j, x) {
        n = split(list, a, " ")
        for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] + 0 > x + 0; j--) a[j + 1] = a[j]; a[j + 1] = x }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    { v[$1 " " $2] = v[$1 " " $2] " " $3 }
    END {
        for (k in v) m[k] = median(v[k])
        printf "%-38s %7s %8s %8s %10s\n", "case", "frames", "wall s", "CPU s", "peak MiB"
        printf "%-38s %7d %8.2f %8.2f %10.1f\n", "ffmpeg to PNG files (process)", m["ffmpeg-own frames"],
            m["ffmpeg wall_s"], m["ffmpeg cpu_s"], m["ffmpeg peak_rss_mib"]
        printf "%-38s %7s %8.2f %8.2f %10.1f\n", "ffmpeg, no output (process)", "",
            m["ffmpeg-null wall_s"], m["ffmpeg-null cpu_s"], m["ffmpeg-null peak_rss_mib"]
        printf "%-38s %7d %8.2f %8.2f %10.1f\n", "core decoder (process)", m["core-own frames"],
            m["core wall_s"], m["core cpu_s"], m["core peak_rss_mib"]
        printf "%-38s %7s %8.2f %8.2f\n", "core decoder (decoding alone)", "",
            m["core-own wall_s"], m["core-own cpu_s"]
        printf "%-38s %7d %8.2f %8.2f %10s\n", "window import (OK to last frame)", m["window-own frames"],
            m["window-own wall_s"], m["window-own cpu_s"], "-"
        printf "window memory growth: %.1f MiB at its peak, %.1f MiB at the end; bound %.1f MiB\n",
            m["window-own peak_growth_mib"], m["window-own rss_growth_mib"], m["window-own bound_mib"]
        f = m["ffmpeg wall_s"]
        printf "goals: core %.2f x ffmpeg (<= 1.5 %s); window %.2f x ffmpeg (<= 2 %s); window memory %s\n",
            m["core wall_s"] / f, m["core wall_s"] <= 1.5 * f ? "met" : "MISSED",
            m["window-own wall_s"] / f, m["window-own wall_s"] <= 2 * f ? "met" : "MISSED",
            m["window-own peak_growth_mib"] <= m["window-own bound_mib"] ? "met" : "MISSED"
    }' "$WORK/results"
