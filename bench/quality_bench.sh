#!/bin/bash
# Palette quality side by side: three sets of 60 frames of 640 x 480 (photographs, a screen
# recording, a synthetic test pattern) exported by zoruvede-cli (its default quantiser, and the
# toolkit's for reference), ImageMagick's `convert -delay 10 -loop 0` and ffmpeg with a palette
# per frame (palettegen stats_mode=single, paletteuse new=1). Per set and tool it prints the
# mean PSNR of the decoded frames against the source frames, wall time, CPU time (user + system,
# every thread of the tool), peak memory (maximum resident set) and output size, then the goals:
# besides the older ones, zoruvede-cli's wall time and CPU time as fractions of ImageMagick's
# (goals: at most 0.35 and 0.5 on the photographs) and its PSNR against the reference of the
# previous default reducer (at most 0.3 dB lower on every set) and against ffmpeg's (above).
# A second table sets zoruvede-cli --optimize beside the full file, gifsicle -O3 run on that
# full file and ImageMagick's `-layers Optimize`, with zoruvede-cli --optimize at lower
# --quality settings; its goals pick, per set, the smallest of those files whose PSNR reaches
# ImageMagick's and set it beside ImageMagick's size. A third table sets the size estimate
# (zoruvede-cli --estimate-only) beside the real file length, plain and optimised, at each
# quality.
#
# Usage: bench/quality_bench.sh <build dir> [repetitions]
#   Wall time and memory are the median of the repetitions (default 3); PSNR and size come from
#   the last run (every tool's output is the same on each run).
#   SETS="photos screen pattern" picks the sets; FRAMES_DIR=<dir> keeps the generated frames
#   there and reuses them on the next run. QUALITIES="80 60 40" are the lower qualities tried;
#   FIRST_TABLE=0 leaves out the first table (its tools but zoruvede-cli are not run).
#   REFERENCE_CLI=<zoruvede-cli of an earlier build> measures the reference PSNR live (one run);
#   otherwise the reference is the previous reducer's PSNR recorded below (libimagequant
#   remapping, measured on these frames with the mate-backgrounds photographs).
# ImageMagick, ffmpeg, gifsicle and GNU time are installed when missing (scripts/install-deps --bench).
# The source frames are PNG files, so every tool reads exactly the same pixels; the canvas is
# their size, so the composed frames are the source frames.
set -eu
BUILD=$(cd "${1:?usage: quality_bench.sh <build dir> [repetitions]}" && pwd)
REPS=${2:-3}
SETS=${SETS:-photos screen pattern}
CLI="$BUILD/bin/zoruvede-cli"
[ -x "$CLI" ] || { echo "build zoruvede-cli first: $CLI" >&2; exit 1; }

"$(dirname "$0")/../scripts/install-deps" --bench >&2
CONVERT=$(command -v convert-im6.q16 || command -v convert)
COMPARE=$(command -v compare-im6.q16 || command -v compare)
FFMPEG=$(command -v ffmpeg)
GIFSICLE=$(command -v gifsicle)
TIME=/usr/bin/time

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FRAMES_DIR=${FRAMES_DIR:-$WORK/frames}
mkdir -p "$FRAMES_DIR"

FONT=DejaVu-Sans
MONO=DejaVu-Sans-Mono
"$CONVERT" -list font | grep -q "Font: $MONO\$" || { FONT=Helvetica; MONO=Courier; }

# Photographs: five crops of each of twelve Debian wallpaper photographs (mate-backgrounds);
# ImageMagick's plasma fractals stand in for missing ones.
make_photos() {
    local dir=$1 n=0 photo zoom w h
    for photo in /usr/share/backgrounds/mate/nature/*.jpg; do
        [ -e "$photo" ] || continue
        for zoom in 0 1 2 3 4; do
            n=$((n + 1))
            [ "$n" -le 60 ] || break 2
            w=$((1280 - zoom * 120)) h=$((960 - zoom * 90))
            "$CONVERT" "$photo" -resize 1280x960^ -gravity center -crop "${w}x${h}+0+0" +repage \
                -resize '640x480!' "$(printf '%s/f%02d.png' "$dir" "$n")"
        done
    done
    [ "$n" -eq 60 ] || echo "photos: mate-backgrounds missing, $((60 - n)) plasma images" >&2
    for n in $(seq $((n + 1)) 60); do
        "$CONVERT" -size 640x480 -seed "$n" plasma:fractal -blur 0x1 \
            "$(printf '%s/f%02d.png' "$dir" "$n")"
    done
}

# A screen recording: an editor window with flat colours, a shaded title bar, anti-aliased
# text typed line by line, a moving selection and a mouse pointer.
make_screen() {
    local dir=$1 i
    local lines=(
        "#include <stdio.h>"
        ""
        "/* Counts the words of standard input. */"
        "int main(void)"
        "{"
        "    int c, words = 0, inside = 0;"
        "    while ((c = getchar()) != EOF) {"
        "        if (c == ' ' || c == '\\\\n' || c == '\\\\t')"
        "            inside = 0;"
        "        else if (!inside) {"
        "            inside = 1;"
        "            ++words;"
        "        }"
        "    }"
        "    printf(\"%%d words\\\\n\", words);"
        "    return 0;"
        "}")
    "$CONVERT" -size 640x480 xc:'#fbfbfb' \
        \( -size 640x30 gradient:'#ececec-#cfcfcf' \) -geometry +0+0 -composite \
        -fill '#ff5f57' -draw 'circle 16,15 21,15' -fill '#febc2e' -draw 'circle 34,15 39,15' \
        -fill '#28c840' -draw 'circle 52,15 57,15' \
        -font "$FONT" -pointsize 13 -fill '#333333' -annotate +250+20 'words.c - Editor' \
        -fill '#252a33' -draw 'rectangle 0,30 159,455' \
        -fill '#e8e8e8' -draw 'rectangle 160,30 639,52' \
        -fill '#ffffff' -draw 'rectangle 160,30 279,52' \
        -fill '#222222' -annotate +172+46 'words.c' -fill '#777777' -annotate +292+46 'notes.md' \
        -fill '#0b6bcb' -draw 'rectangle 0,456 639,479' \
        -fill white -annotate +10+472 'main  *  UTF-8  *  C' \
        -fill '#c8ccd4' -annotate +14+70 'PROJECT' \
        -fill '#9da5b4' -annotate +24+95 'Makefile' -annotate +24+117 'README.md' \
        -annotate +24+139 'notes.md' -annotate +24+161 'words.c' -annotate +24+183 'words.h' \
        -fill '#eeeeee' -draw 'rectangle 160,53 199,455' \
        "$WORK/screen-base.png"
    local colours=('#a626a4' '#383a42' '#a0a1a7' '#4078f2' '#383a42' '#986801' '#a626a4'
                   '#383a42' '#383a42' '#a626a4' '#383a42' '#383a42' '#383a42' '#383a42'
                   '#50a14f' '#a626a4' '#383a42')
    for i in $(seq 1 60); do
        local args=() shown=$(((i + 2) / 3)) k y text
        [ "$shown" -le ${#lines[@]} ] || shown=${#lines[@]}
        for k in $(seq 0 $((shown - 1))); do
            y=$((74 + k * 22))
            text=${lines[$k]}
            # The line being typed shows as many characters as the frame has reached.
            if [ "$k" -eq $((shown - 1)) ] && [ "$i" -lt 51 ]; then
                text=${text:0:$(((i % 3 + 1) * ${#text} / 3))}
            fi
            # ImageMagick drops leading blanks, so the indentation becomes an offset; in its
            # text "%" starts an escape, written "%%" above.
            local stripped=${text#"${text%%[! ]*}"}
            local x=$((210 + 8 * (${#text} - ${#stripped})))
            args+=(-fill '#999999' -annotate "+170+$y" "$((k + 1))")
            [ -n "$stripped" ] && args+=(-fill "${colours[$k]}" -annotate "+$x+$y" "$stripped")
        done
        local sel=$((95 + (i / 15) * 22 - 16))
        local px=$((300 + i * 4)) py=$((120 + (i * 7) % 200))
        "$CONVERT" "$WORK/screen-base.png" \
            -fill '#3d6fd6' -draw "rectangle 0,$sel 159,$((sel + 21))" \
            -fill '#d7e7fb' -draw "rectangle 206,$((60 + ((i / 20) + 4) * 22)) 480,$((79 + ((i / 20) + 4) * 22))" \
            -font "$MONO" -pointsize 13 "${args[@]}" \
            -font "$FONT" -pointsize 12 -fill '#e6e6e6' \
            -annotate "+24+$((sel + 16))" "$(sed -n "$((1 + (i / 15) % 5))p" <<<$'Makefile\nREADME.md\nnotes.md\nwords.c\nwords.h')" \
            -stroke black -strokewidth 1 -fill white \
            -draw "polygon $px,$py $px,$((py + 17)) $((px + 4)),$((py + 13)) $((px + 8)),$((py + 20)) $((px + 10)),$((py + 19)) $((px + 7)),$((py + 12)) $((px + 12)),$((py + 12))" \
            "$(printf '%s/f%02d.png' "$dir" "$i")"
    done
}

# A synthetic test pattern panned across a wider canvas: flat colour bars, a smooth
# three-colour field, a grey ramp, concentric rings, and a shaded ball that moves.
make_pattern() {
    local dir=$1 i
    "$CONVERT" \
        \( -size 80x120 xc:'#ffffff' xc:'#ffff00' xc:'#00ffff' xc:'#00ff00' xc:'#ff00ff' \
           xc:'#ff0000' xc:'#0000ff' xc:'#000000' xc:'#c0c0c0' xc:'#808000' xc:'#008080' \
           xc:'#800080' xc:'#ff8000' xc:'#0080ff' xc:'#404040' xc:'#fdfd00' +append \) \
        \( -size 1280x160 xc: -sparse-color Barycentric '0,0 red 1279,0 blue 640,159 lime' \) \
        \( -size 100x1280 gradient:white-black -rotate 90 \) \
        \( -size 1280x100 radial-gradient: -function Sinusoid 12,90 \) \
        -append "$WORK/pattern-base.png"
    for i in $(seq 1 60); do
        local x=$(((i - 1) * 10)) bx=$((40 + i * 9)) by=$((150 + (i * 13) % 200))
        "$CONVERT" "$WORK/pattern-base.png" -crop "640x480+$x+0" +repage \
            \( -size 90x90 radial-gradient:'#fff6d0-#c02010' \( -size 90x90 xc:black -fill white \
               -draw 'circle 45,45 45,2' \) -alpha off -compose CopyOpacity -composite \) \
            -compose Over -geometry "+$bx+$by" -composite \
            "$(printf '%s/f%02d.png' "$dir" "$i")"
    done
}

for set in $SETS; do
    mkdir -p "$FRAMES_DIR/$set"
    if [ ! -e "$FRAMES_DIR/$set/f60.png" ]; then
        echo "making the $set frames" >&2
        "make_$set" "$FRAMES_DIR/$set"
    fi
done

# The previous default reducer's mean PSNR per set (libimagequant's own remapping at speed 5),
# the reference of the 0.3 dB goal when REFERENCE_CLI is not given.
declare -A REFERENCE_PSNR=([photos]=40.23 [screen]=60.51 [pattern]=37.82)

# run NAME OUTPUT COMMAND...: runs once, appends "NAME seconds kilobytes cpu-seconds" to the
# results (cpu: user + system).
run() {
    local name=$1 output=$2
    shift 2
    rm -f "$output"
    "$TIME" -f "%e %M %U %S" -o "$WORK/time" "$@" >/dev/null 2>"$WORK/err" ||
        { cat "$WORK/err" >&2; exit 1; }
    echo "$name $(awk '{ printf "%s %s %.2f", $1, $2, $3 + $4 }' "$WORK/time")" >>"$WORK/results"
}

# psnr GIF SOURCE_DIR: mean over the frames of each frame's PSNR (dB) against its source.
# Identical frames (infinite PSNR) count as 99 dB.
psnr() {
    local gif=$1 src=$2 dec="$WORK/decoded" i value total=0
    rm -rf "$dec" && mkdir -p "$dec"
    "$CONVERT" "$gif" -coalesce -alpha off +adjoin -scene 1 "$dec/d%02d.png"
    if [ ! -e "$dec/d60.png" ] || [ -e "$dec/d61.png" ]; then
        echo "$gif: not 60 frames" >&2
        exit 1
    fi
    for i in $(seq -f %02g 1 60); do
        value=$("$COMPARE" -metric PSNR "$src/f$i.png" "$dec/d$i.png" null: 2>&1 || true)
        [ "$value" = inf ] && value=99
        [[ $value =~ ^[0-9.]+$ ]] || { echo "compare failed on frame $i of $gif: $value" >&2; exit 1; }
        total=$(awk -v t="$total" -v v="$value" 'BEGIN { print t + v }')
    done
    awk -v t="$total" 'BEGIN { printf "%.2f", t / 60 }'
}

QUALITIES=${QUALITIES:-80 60 40}
FIRST_TABLE=${FIRST_TABLE:-1}
TOOLS="cli im ffmpeg"
[ "$FIRST_TABLE" = 1 ] || { TOOLS=cli; REPS=1; }
echo "$(nproc) processors; wall time and memory: median of $REPS runs"
for set in $SETS; do
    src="$FRAMES_DIR/$set"
    inputs=("$src"/f*.png)
    : >"$WORK/results"
    for rep in $(seq "$REPS"); do
        # Rotate the order so that no tool always runs first on a cold cache.
        order=$TOOLS
        for _ in $(seq $((rep % 3))); do order="${order#* } ${order%% *}"; done
        for tool in $order; do
            case $tool in
            cli) run cli "$WORK/cli.gif" "$CLI" -q -o "$WORK/cli.gif" "${inputs[@]}" ;;
            im) run im "$WORK/im.gif" "$CONVERT" -delay 10 -loop 0 "${inputs[@]}" "$WORK/im.gif" ;;
            ffmpeg)
                run ffmpeg "$WORK/ffmpeg.gif" "$FFMPEG" -v error -framerate 10 -i "$src/f%02d.png" \
                    -filter_complex \
                    "[0:v]split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1" \
                    -loop 0 -y "$WORK/ffmpeg.gif" ;;
            esac
        done
    done
    if [ "$FIRST_TABLE" = 1 ]; then
        run cli-toolkit "$WORK/cli-toolkit.gif" "$CLI" -q --quantizer toolkit -o "$WORK/cli-toolkit.gif" \
            "${inputs[@]}"
        run cli-1thread "$WORK/cli-1thread.gif" "$CLI" -q --threads 1 -o "$WORK/cli-1thread.gif" \
            "${inputs[@]}"
        cmp -s "$WORK/cli.gif" "$WORK/cli-1thread.gif" ||
            { echo "$set: zoruvede-cli wrote different bytes with one thread" >&2; exit 1; }

        reference=${REFERENCE_PSNR[$set]:-0}
        if [ -n "${REFERENCE_CLI:-}" ]; then
            run reference "$WORK/reference.gif" "$REFERENCE_CLI" -q -o "$WORK/reference.gif" \
                "${inputs[@]}"
            reference=$(psnr "$WORK/reference.gif" "$src")
        fi

        echo
        echo "== $set: 60 frames of 640x480"
        for tool in cli cli-toolkit im ffmpeg; do
            echo "$tool $(psnr "$WORK/$tool.gif" "$src") $(stat -c %s "$WORK/$tool.gif")"
        done >"$WORK/quality"
        echo "reference $reference 0" >>"$WORK/quality"
        awk '
            function median(list,   a, n, i, j, x) {
                n = split(list, a, " ")
                for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
                return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
            }
            FNR == NR { t[$1] = t[$1] " " $2; m[$1] = m[$1] " " $3; c[$1] = c[$1] " " $4; next }
            { psnr[$1] = $2; size[$1] = $3 }
            END {
                split("cli cli-toolkit im ffmpeg", order, " ")
                split("zoruvede-cli|zoruvede-cli, toolkit|ImageMagick convert|ffmpeg per-frame", label, "|")
                printf "%-22s %9s %9s %9s %10s %12s\n", "tool", "PSNR dB", "wall s", "CPU s", "peak MiB", "bytes"
                for (k = 1; k <= 4; k++) {
                    name = order[k]
                    wall[name] = median(t[name]); mem[name] = median(m[name]) / 1024; cpu[name] = median(c[name])
                    printf "%-22s %9.2f %9.2f %9.2f %10.1f %12d\n", label[k], psnr[name], wall[name], cpu[name], mem[name], size[name]
                }
                ok = psnr["cli"] >= psnr["im"] && psnr["cli"] >= psnr["ffmpeg"]
                printf "goals: PSNR >= both %s; wall <= half of ImageMagick %s (%.2f); memory below both %s; size <= ImageMagick %s\n",
                    ok ? "met" : "MISSED",
                    wall["cli"] <= wall["im"] / 2 ? "met" : "MISSED", wall["cli"] / wall["im"],
                    mem["cli"] < mem["im"] && mem["cli"] < mem["ffmpeg"] ? "met" : "MISSED",
                    size["cli"] <= size["im"] ? "met" : "MISSED"
                # The speed goals are set on the photographs; the other sets print the same figures.
                printf "goals: wall / ImageMagick %.2f (<= 0.35 %s); CPU / ImageMagick %.2f (<= 0.5 %s)\n",
                    wall["cli"] / wall["im"], (wall["cli"] <= 0.35 * wall["im"]) ? "met" : "MISSED",
                    cpu["cli"] / cpu["im"], (cpu["cli"] <= 0.5 * cpu["im"]) ? "met" : "MISSED"
                printf "goals: PSNR %+.2f dB against the reference %.2f (>= -0.3 %s); %+.2f dB against ffmpeg (> 0 %s)\n",
                    psnr["cli"] - psnr["reference"], psnr["reference"],
                    (psnr["cli"] - psnr["reference"] >= -0.3) ? "met" : "MISSED",
                    psnr["cli"] - psnr["ffmpeg"], (psnr["cli"] > psnr["ffmpeg"]) ? "met" : "MISSED"
            }' "$WORK/results" "$WORK/quality"
    else
        echo
        echo "== $set: 60 frames of 640x480"
    fi

    run cli-optimize "$WORK/cli-optimize.gif" "$CLI" -q --optimize -o "$WORK/cli-optimize.gif" \
        "${inputs[@]}"
    ours="cli-optimize"
    for q in $QUALITIES; do
        run "cli-optimize-q$q" "$WORK/cli-optimize-q$q.gif" "$CLI" -q --optimize --quality "$q" \
            -o "$WORK/cli-optimize-q$q.gif" "${inputs[@]}"
        ours="$ours cli-optimize-q$q"
    done
    run gifsicle-O3 "$WORK/gifsicle-O3.gif" "$GIFSICLE" -O3 "$WORK/cli.gif" -o "$WORK/gifsicle-O3.gif"
    run im-optimize "$WORK/im-optimize.gif" "$CONVERT" -delay 10 -loop 0 "${inputs[@]}" \
        -layers Optimize "$WORK/im-optimize.gif"
    echo "-- smaller files"
    printf '%-30s %9s %9s %12s\n' "tool" "PSNR dB" "wall s" "bytes"
    : >"$WORK/small"
    for tool in cli $ours gifsicle-O3 im im-optimize; do
        [ -e "$WORK/$tool.gif" ] || continue
        echo "$tool $(psnr "$WORK/$tool.gif" "$src") $(stat -c %s "$WORK/$tool.gif")" >>"$WORK/small"
        printf '%-30s %9s %9s %12d\n' "$tool" "$(awk -v n="$tool" '$1 == n { print $2 }' "$WORK/small")" \
            "$(awk -v n="$tool" '$1 == n { w = $2 } END { print w }' "$WORK/results")" \
            "$(stat -c %s "$WORK/$tool.gif")"
    done
    # Quality-matched: the smallest of our optimised files that looks at least as good.
    awk -v ours="$ours" '
        { psnr[$1] = $2; size[$1] = $3 }
        END {
            n = split(ours, list, " "); best = ""
            for (k = 1; k <= n; k++)
                if (psnr[list[k]] >= psnr["im-optimize"] && (best == "" || size[list[k]] < size[best]))
                    best = list[k]
            if (best == "")
                printf "goal quality-matched against ImageMagick -layers Optimize (%d bytes, %.2f dB): MISSED, no file of ours reaches its PSNR\n", size["im-optimize"], psnr["im-optimize"]
            else
                printf "goal quality-matched against ImageMagick -layers Optimize: %s %d bytes at %.2f dB vs %d bytes at %.2f dB (%.2f): %s\n",
                    best, size[best], psnr[best], size["im-optimize"], psnr["im-optimize"],
                    size[best] / size["im-optimize"], size[best] <= size["im-optimize"] ? "met" : "MISSED"
        }' "$WORK/small"
    if [ "$set" = screen ]; then
        awk '{ psnr[$1] = $2; size[$1] = $3 }
            END {
                r = size["cli-optimize"] / size["gifsicle-O3"]
                ok = r <= 0.5 && psnr["cli-optimize"] >= 58
                printf "goal screen, optimised (quality 100): size <= 0.5 x gifsicle -O3 on our full file (%.2f), PSNR >= 58 dB (%.2f): %s\n",
                    r, psnr["cli-optimize"], ok ? "met" : "MISSED"
            }' "$WORK/small"
    fi

    # The estimate beside the real length, plain and optimised.
    echo "-- size estimate"
    printf '%-30s %12s %12s %9s %9s\n' "file" "estimate" "real" "off %" "est s"
    for q in 100 $QUALITIES; do
        for mode in plain optimize; do
            flags=(--quality "$q")
            [ "$mode" = optimize ] && flags+=(--optimize)
            name="cli-$mode-q$q"
            case $name in
            cli-plain-q100) file=$WORK/cli.gif ;;
            cli-optimize-q100) file=$WORK/cli-optimize.gif ;;
            cli-optimize-*) file=$WORK/cli-optimize-q$q.gif ;;
            *) file=$WORK/$name.gif
               "$CLI" -q "${flags[@]}" -o "$file" "${inputs[@]}" ;;
            esac
            start=$(date +%s.%N)
            estimate=$("$CLI" --estimate-only "${flags[@]}" "${inputs[@]}")
            seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
            real=$(stat -c %s "$file")
            awk -v n="$name" -v e="$estimate" -v r="$real" -v s="$seconds" 'BEGIN {
                d = 100 * (e - r) / r
                printf "%-30s %12d %12d %+8.1f%% %9s %s\n", n, e, r, d, s, (d <= 15 && d >= -15) ? "" : "OUTSIDE 15 %"
            }'
        done
    done
done
