#!/bin/bash
# The application starts without a word on stderr under a window manager. A window manager
# changes how the toolkit shows the first window (it waits for the border sizes), and a
# window laid out at a size its widgets cannot take makes GTK print criticals; a bare X
# server, as the GUI tests have, never shows them. Skipped (77) without Xvfb, openbox or
# xdotool.
# Usage: startup_stderr_test.sh <source dir> <build dir>
set -u
BUILD=$(cd "${2:?build dir}" && pwd)
APP="$BUILD/bin/zoruvede"
[ -x "$APP" ] || { echo "zoruvede is not built: $APP"; exit 1; }
for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

wait_for_file() {  # wait_for_file path seconds: true once the file has content
    local i
    for ((i = 0; i < $2 * 10; i++)); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# An X server of its own: the window manager must meet no other test's windows.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
pids+=($!)
wait_for_file "$WORK/display" 10 || { echo "Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$WORK/display")"
# Settings, recovery copies and the window manager's files stay in the scratch folder; the
# accessibility bridge would complain about the missing session bus, which is not ours.
export HOME="$WORK" XDG_CONFIG_HOME="$WORK/config" XDG_STATE_HOME="$WORK/state"
export XDG_CACHE_HOME="$WORK/cache" NO_AT_BRIDGE=1 GTK_A11Y=none

openbox --startup "sh -c 'echo up >$WORK/wm-ready'" >"$WORK/openbox.log" 2>&1 &
pids+=($!)
wait_for_file "$WORK/wm-ready" 10 || { echo "openbox did not start"; cat "$WORK/openbox.log"; exit 1; }

"$APP" >/dev/null 2>"$WORK/stderr" &
app=$!
pids+=($app)
if ! timeout 15 xdotool search --sync --onlyvisible --name Zoruvede >/dev/null 2>&1; then
    echo "FAILED: the main window did not appear"
    cat "$WORK/stderr"
    echo "0 passed, 1 failed"
    exit 1
fi
# The first layouts follow the mapping closely; give them time to complain.
sleep 2
# Read before the process is ended: only the start is under test.
cp "$WORK/stderr" "$WORK/start-stderr"
kill "$app" 2>/dev/null

if [ -s "$WORK/start-stderr" ]; then
    echo "FAILED: the start printed on stderr:"
    sed 's/^/    /' "$WORK/start-stderr"
    echo "0 passed, 1 failed"
    exit 1
fi
echo "1 passed, 0 failed"
