#!/bin/bash
# The real program started with files, as a shell or the desktop starts it: images (named
# relative to the current folder) load in the order given, a project opens as the document,
# and the toolkit's --help still answers. What the window holds is read from its recovery
# copy, written a moment after each change. Skipped (77) without Xvfb.
# Usage: command_line_start_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
APP="$BUILD/bin/zoruvede"
[ -x "$APP" ] || { echo "zoruvede is not built: $APP"; exit 1; }
command -v Xvfb >/dev/null || { echo "SKIPPED: Xvfb is not installed"; exit 77; }
command -v convert >/dev/null || { echo "SKIPPED: convert is not installed"; exit 77; }

WORK=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

passed=0
failed=0
fail() {
    echo "FAILED: $*"
    failed=$((failed + 1))
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
pids+=($!)
for ((i = 0; i < 100; i++)); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || { echo "Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$WORK/display")"
export HOME="$WORK" XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache"
export NO_AT_BRIDGE=1 GTK_A11Y=none

mkdir -p "$WORK/pics"
convert -size 20x10 xc:red "$WORK/pics/a.png"
convert -size 20x10 xc:blue "$WORK/pics/c.png"
convert -delay 10 -size 20x10 xc:black xc:white -loop 0 "$WORK/pics/b.gif"
cat >"$WORK/pics/p.xml" <<XML
<project><name>p</name><gif><width>20</width><height>10</height><delay_time>10</delay_time></gif><images><path>$WORK/pics/c.png</path><path>$WORK/pics/a.png</path></images></project>
XML

# start_with name args...: starts the program in pics/ with a state folder of its own and
# prints the frames of its first recovery copy, one path a line.
start_with() {
    local name=$1
    shift
    local state="$WORK/state-$name"
    (cd "$WORK/pics" && XDG_STATE_HOME="$state" exec "$APP" "$@") >/dev/null 2>"$WORK/$name.err" &
    local app=$!
    pids+=($app)
    local copy=""
    for ((i = 0; i < 150; i++)); do
        copy=$(ls "$state"/*/recovery-*.xml 2>/dev/null | head -n1)
        [ -n "$copy" ] && [ -s "$copy" ] && break
        sleep 0.1
    done
    # A GIF's own path among them is the file format's marker after a run of its frames.
    [ -n "$copy" ] && grep -o '<path[^>]*>[^<]*</path>' "$copy" | sed 's/<[^>]*>//g' | grep -v '\.gif$'
    kill "$app" 2>/dev/null
}

expected="$WORK/pics/a.png
$WORK/pics/b.gif_0
$WORK/pics/b.gif_1"
frames=$(start_with images a.png b.gif)
if [ "$frames" == "$expected" ]; then passed=$((passed + 1)); else
    fail "zoruvede a.png b.gif holds: ${frames:-nothing}"; cat "$WORK/images.err"; fi

expected="$WORK/pics/c.png
$WORK/pics/a.png"
frames=$(start_with project p.xml)
if [ "$frames" == "$expected" ]; then passed=$((passed + 1)); else
    fail "zoruvede p.xml holds: ${frames:-nothing}"; cat "$WORK/project.err"; fi

# Under the C locale too a name outside ASCII is the file's (file names are UTF-8 there).
cp "$WORK/pics/a.png" "$WORK/pics/grün.png"
expected="$WORK/pics/grün.png"
frames=$(LC_ALL=C start_with c-locale "grün.png")
if [ "$frames" == "$expected" ]; then passed=$((passed + 1)); else
    fail "zoruvede grün.png under LC_ALL=C holds: ${frames:-nothing}"; cat "$WORK/c-locale.err"; fi

# As one line: the text is wrapped to a terminal's width, wherever the words fall.
usage=$(timeout 20 "$APP" --help 2>&1 | tr -s ' \n' '  ')
if grep -q -- "--verbose" <<<"$usage" && grep -q "a project file" <<<"$usage"; then
    passed=$((passed + 1))
else
    fail "--help printed: $usage"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
