#!/bin/bash
# On a Wayland desktop of its own (a headless compositor with the desktop portal and PipeWire,
# in a session bus and a runtime folder of its own): the exporter records a region of the
# screen through the portal while the background changes colour, and the frames are checked
# for their size, colours and total time; then the window starts as a Wayland client and a
# screenshot taken through the compositor must show it. Skipped (77) when the desktop's
# programs are missing. Every wait is bounded; everything started is ended at exit.
# Usage: wayland_desktop_test.sh <source dir> <build dir>
set -u
SOURCE=$(cd "${1:?source dir}" && pwd)
BUILD=$(cd "${2:?build dir}" && pwd)
CLI="$BUILD/bin/zoruvede-cli"
APP="$BUILD/bin/zoruvede"
PORTAL=/usr/libexec/xdg-desktop-portal
WLR_PORTAL=/usr/libexec/xdg-desktop-portal-wlr
for program in "$CLI" "$APP"; do
    [ -x "$program" ] || { echo "not built: $program"; exit 1; }
done
for tool in sway swaybg swaymsg grim pipewire wireplumber pw-cli dbus-run-session dbus-send \
            convert cc setpriv "$PORTAL" "$WLR_PORTAL"; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

# A session bus of its own: the portal is found through it and must meet no other desktop.
if [ -z "${ZORUVEDE_OWN_BUS:-}" ]; then
    exec env ZORUVEDE_OWN_BUS=1 dbus-run-session -- bash "$0" "$@"
fi

WORK=$(mktemp -d)
chmod 755 "$WORK"  # the compositor may run as another user, below
pids=()
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

passed=0
failed=0
check() {  # check "what" condition...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
    fi
}
give_up() {  # give_up "what failed" log...: the desktop itself did not come up
    echo "FAILED: $1"
    shift
    local log
    for log in "$@"; do [ -s "$log" ] && sed 's/^/    /' "$log" | tail -20; done
    echo "$passed passed, $((failed + 1)) failed"
    exit 1
}
wait_until() {  # wait_until seconds 'command': true once the command succeeds
    local i
    for ((i = 0; i < $1 * 10; i++)); do
        eval "$2" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
has_owner() {  # has_owner NAME: the name is taken on the session bus
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}

RUN="$WORK/run"
mkdir -m 700 "$RUN" "$WORK/sway"
export XDG_RUNTIME_DIR="$RUN" HOME="$WORK" XDG_CONFIG_HOME="$WORK/config"
export XDG_STATE_HOME="$WORK/state" XDG_CACHE_HOME="$WORK/cache"
export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland
export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
export NO_AT_BRIDGE=1 GTK_A11Y=none
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK

# One output of a known size, a red background, no X server (on Wayland one never records).
cat >"$WORK/sway/config" <<'CONFIG'
output HEADLESS-1 mode 1280x720 position 0 0 bg #ff0000 solid_color
xwayland disable
default_border none
CONFIG
# The compositor refuses to run as root: then it runs as nobody, in a runtime folder it owns.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$RUN" "$WORK/sway"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
"${as_user[@]}" sway -c "$WORK/sway/config" >"$WORK/sway.log" 2>&1 &
pids+=($!)
display_socket() { ls "$RUN" | grep -E '^wayland-[0-9]+$' | head -n1; }
control_socket() { ls "$RUN"/sway-ipc.*.sock 2>/dev/null | head -n1; }
wait_until 10 'test -n "$(display_socket)" -a -n "$(control_socket)"' ||
    give_up "the compositor did not start" "$WORK/sway.log"
export WAYLAND_DISPLAY=$(display_socket) SWAYSOCK=$(control_socket)

pipewire >"$WORK/pipewire.log" 2>&1 &
pids+=($!)
wait_until 10 'test -S "$RUN/pipewire-0"' || give_up "PipeWire did not start" "$WORK/pipewire.log"
wireplumber >"$WORK/wireplumber.log" 2>&1 &
pids+=($!)
wait_until 10 'pw-cli ls Client | grep -qi wireplumber' ||
    give_up "the PipeWire session manager did not start" "$WORK/wireplumber.log"

# The portal shares the one output without asking.
mkdir -p "$XDG_CONFIG_HOME/xdg-desktop-portal-wlr"
printf '[screencast]\nchooser_type=none\noutput_name=HEADLESS-1\n' \
    >"$XDG_CONFIG_HOME/xdg-desktop-portal-wlr/config"
cc -shared -fPIC -O1 -o "$WORK/screencopy_shm.so" "$SOURCE/tests/scripts/lib/screencopy_shm.c" \
    -ldl || give_up "the portal's shared-memory shim did not build"
LD_PRELOAD="$WORK/screencopy_shm.so" "$WLR_PORTAL" -r >"$WORK/portal-wlr.log" 2>&1 &
pids+=($!)
"$PORTAL" -r >"$WORK/portal.log" 2>&1 &
pids+=($!)
wait_until 10 'has_owner org.freedesktop.impl.portal.desktop.wlr' ||
    give_up "the wlroots portal did not start" "$WORK/portal-wlr.log"
wait_until 10 'has_owner org.freedesktop.portal.Desktop' ||
    give_up "the desktop portal did not start" "$WORK/portal.log"

# --- Recording: three seconds of a region, the background red, then blue from the middle.
background() { swaymsg output HEADLESS-1 bg "$1" solid_color >/dev/null; }
cd "$WORK" || exit 1
start=$(date +%s%N)
"$CLI" --record --region 320x240+100+50 --fps 10 --duration 3 --countdown 0 -o out.gif \
    >cli.out 2>cli.err &
cli=$!
pids+=($cli)
sleep 1.5
background '#0000ff'
wait_until 20 "! kill -0 $cli" || give_up "the recording did not end" cli.err
wait "$cli"
rc=$?
elapsed_cs=$((($(date +%s%N) - start) / 10000000))
check "the recording ends well (exit $rc)" test "$rc" -eq 0
[ -s cli.err ] && sed 's/^/    stderr: /' cli.err

# One line a frame: width, height, delay, and the colour in the middle and in a corner.
frames=$(convert out.gif -coalesce -format \
    '%w %h %T %[fx:int(255*p{160,120}.r)],%[fx:int(255*p{160,120}.g)],%[fx:int(255*p{160,120}.b)] %[fx:int(255*p{2,2}.r)],%[fx:int(255*p{2,2}.g)],%[fx:int(255*p{2,2}.b)]\n' \
    info: 2>/dev/null)
count=$(printf '%s\n' "$frames" | grep -c .)
total=$(printf '%s\n' "$frames" | awk '{ s += $3 } END { print s + 0 }')
check "frames were recorded" test "$count" -ge 2
check "every frame is the region's size" \
    test "$(printf '%s\n' "$frames" | awk '$1 != 320 || $2 != 240' | wc -l)" -eq 0
check "the first frame is red: $(printf '%s\n' "$frames" | head -n1)" \
    sh -c "printf '%s\n' '$frames' | head -n1 | grep -q ' 255,0,0 255,0,0\$'"
check "the last frame is blue: $(printf '%s\n' "$frames" | tail -n1)" \
    sh -c "printf '%s\n' '$frames' | tail -n1 | grep -q ' 0,0,255 0,0,255\$'"
# The frames last the three seconds recorded (whole hundredths, a frame's worth either way).
check "the delays add up to the 3 s recorded (${total} cs)" \
    test "$total" -ge 290 -a "$total" -le 310
check "the recording took about as long as it lasted (${elapsed_cs} cs)" \
    test "$elapsed_cs" -lt 900

# Without a way to the portal the recording is refused at once, with the reason.
DBUS_SESSION_BUS_ADDRESS=unix:path="$WORK/no-bus" timeout 20 "$CLI" --record --duration 1 \
    -o none.gif >/dev/null 2>none.err
rc=$?
check "no session bus: exit 1 (got $rc), the portal named: $(cat none.err)" \
    sh -c "test $rc -eq 1 && grep -q 'desktop portal' none.err && test ! -e none.gif"

# --- The window as a Wayland client.
GDK_BACKEND=wayland "$APP" >app.out 2>app.err &
pids+=($!)
window_shown() { swaymsg -t get_tree | grep -q '"name": "[^"]*Zoruvede'; }
check "the window appears on the compositor" wait_until 20 window_shown
sleep 2  # its first layouts and paints
grim "$WORK/window.png" || give_up "the screenshot failed"
# The window covers the red background: little red is left on the screen.
red=$(convert "$WORK/window.png" -fuzz 10% -fill black +opaque red -fill white -opaque red \
    -format '%[fx:int(100*mean)]' info:)
check "the screenshot shows the window, not the background ($red % red)" test "$red" -lt 10
check "the window says nothing on stderr" test ! -s app.err
[ -s app.err ] && sed 's/^/    stderr: /' app.err

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
