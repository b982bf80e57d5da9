#!/bin/bash
# The Debian package made from the build: it holds every promised file and nothing else, all
# under /usr, with the control fields and dependencies a package manager needs, metadata the
# desktop's validators accept, and programs that run from an unpacked copy through the
# launchers in usr/bin (so the links and the data beside the programs are right).
# Skipped (77) without cpack, dpkg-deb, dpkg-shlibdeps, appstreamcli or desktop-file-validate.
# Usage: package_test.sh <source dir> <build dir>
set -u
SRC=$(cd "${1:?source dir}" && pwd)
BUILD=$(cd "${2:?build dir}" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps appstreamcli desktop-file-validate; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
VERSION=$(sed -n 's/^project(zoruvede VERSION \([0-9.]*\).*/\1/p' "$SRC/CMakeLists.txt")
ARCH=$(dpkg --print-architecture)
ID=com.quorvantel.Zoruvede

# shellcheck source=lib/cli_checks.sh
. "$(dirname "$0")/lib/cli_checks.sh"
not() { ! "$@"; }

# A package of its own, so the build folder's package is left as it is.
if ! cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/pack" >cpack.log 2>&1; then
    cat cpack.log
    echo "FAILED: cpack"
    exit 1
fi
DEB="$WORK/pack/zoruvede_${VERSION}_${ARCH}.deb"
check "the package is named $(basename "$DEB")" test -f "$DEB" || { finish; exit; }

# --- What it holds ---
# Regular files and links as "path" and "path -> target", directories left out.
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { sub(/^[^.]*\./, ""); print }' | sort >listed
expected() {
    local lib=/usr/lib/zoruvede theme po lang
    echo "$lib/bin/zoruvede"
    echo "$lib/bin/zoruvede-cli"
    echo "/usr/bin/zoruvede -> ../lib/zoruvede/bin/zoruvede"
    echo "/usr/bin/zoruvede-cli -> ../lib/zoruvede/bin/zoruvede-cli"
    echo "$lib/option.cfg"
    for theme in "$SRC"/Themes/*; do echo "$lib/Themes/$(basename "$theme")"; done
    for po in "$SRC"/Language/*/language.po; do
        lang=$(basename "$(dirname "$po")")
        echo "$lib/Language/$lang/language.mo"
    done
    echo "/usr/share/applications/$ID.desktop"
    echo "/usr/share/metainfo/$ID.metainfo.xml"
    for n in 16 22 24 32 48 64 128 256; do echo "/usr/share/icons/hicolor/${n}x$n/apps/$ID.png"; done
    echo /usr/share/doc/zoruvede/copyright
    echo /usr/share/doc/zoruvede/README.md
    echo /usr/share/doc/zoruvede/changelog.gz
    echo /usr/share/man/man1/zoruvede.1.gz
    echo /usr/share/man/man1/zoruvede-cli.1.gz
    echo /usr/share/bash-completion/completions/zoruvede
    echo /usr/share/bash-completion/completions/zoruvede-cli
}
expected | sort >wanted
missing=$(comm -23 wanted listed)
extra=$(comm -13 wanted listed)
check "every promised file is packed; missing: $missing" test -z "$missing"
check "nothing else is packed; extra: $extra" test -z "$extra"
outside=$(dpkg-deb -c "$DEB" | awk '{ sub(/^[^.]*\./, ""); print $1 }' | grep -v '^/$' | grep -v '^/usr/' || true)
check "nothing outside /usr: $outside" test -z "$outside"
modes=$(dpkg-deb -c "$DEB" | awk '$1 ~ /^-/ && $NF ~ /\/bin\/zoruvede(-cli)?$/ { print $1 }' | sort -u)
check "the programs are executable by all, writable by root only ($modes)" test "$modes" = "-rwxr-xr-x"
check "files belong to root" test -z "$(dpkg-deb -c "$DEB" | awk '$2 != "root/root"')"

# --- Control fields ---
field() { dpkg-deb -f "$DEB" "$1"; }
check "Package" test "$(field Package)" = zoruvede
check "Version" test "$(field Version)" = "$VERSION"
check "Architecture" test "$(field Architecture)" = "$ARCH"
check "Section" test "$(field Section)" = graphics
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
check "Depends names the toolkit's GUI library (from shlibdeps): $(field Depends)" \
    grep -qx 'libwxgtk3.2-1' <<<"$depends"
check "Depends names the C library (from shlibdeps)" grep -qx 'libc6' <<<"$depends"
check "Depends names the toolkit's catalogs" grep -qx 'wx3.2-i18n' <<<"$depends"
check "Recommends the launcher and certificates" test "$(field Recommends)" = "xdg-utils, ca-certificates"
check "a long description follows the summary" test "$(field Description | wc -l)" -gt 5

# --- Unpacked: the metadata validates and the programs run ---
ROOT="$WORK/root"
dpkg-deb -x "$DEB" "$ROOT"
report=$(desktop-file-validate "$ROOT/usr/share/applications/$ID.desktop" 2>&1)
check "desktop-file-validate: $report" test -z "$report"
# Pedantic remarks (the id's capitals, which the desktop file's name must match) are not shown.
if ! appstreamcli validate --no-net "$ROOT/usr/share/metainfo/$ID.metainfo.xml" >appstream 2>&1 ||
    grep -q '^[EWI]:' appstream; then
    check "appstreamcli validate: $(cat appstream)" false
else
    check "appstreamcli validate" true
fi
# What the validator can't see: the software centre links the entry by its file name, and
# lists the newest release as the package's version.
META="$ROOT/usr/share/metainfo/$ID.metainfo.xml"
check "the metadata launches the packed desktop entry" \
    contains "$META" "<launchable type=\"desktop-id\">$ID.desktop</launchable>"
check "the metadata's release is $VERSION" contains "$META" "<release version=\"$VERSION\""
if command -v dpkg-parsechangelog >/dev/null; then
    gzip -dc "$ROOT/usr/share/doc/zoruvede/changelog.gz" >"$WORK/changelog"
    check "the changelog's newest entry is $VERSION" \
        test "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version)" = "$VERSION"
fi
if command -v file >/dev/null; then
    for exe in zoruvede zoruvede-cli; do
        check "$exe is stripped" grep -q ', stripped' <(file -L "$ROOT/usr/lib/zoruvede/bin/$exe")
    done
fi

# Two small BMPs (2x2, 24-bit, rows padded to 4 bytes).
bmp() {  # bmp FILE B G R
    { printf 'BM\106\0\0\0\0\0\0\0\66\0\0\0\50\0\0\0\2\0\0\0\2\0\0\0\1\0\30\0\0\0\0\0\20\0\0\0'
      printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
      for _ in 1 2; do printf "$2$3$4$2$3$4\\0\\0"; done; } >"$1"
}
bmp red.bmp '\0' '\0' '\377'
bmp blue.bmp '\377' '\0' '\0'
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_STATE_HOME="$WORK/home/.state"
mkdir -p "$HOME"
CLI="$ROOT/usr/bin/zoruvede-cli"
run -o out.gif red.bmp blue.bmp
check "the unpacked exporter writes a GIF (status $rc)" [ "$rc" -eq 0 ]
check "the output is a GIF" test "$(head -c 6 out.gif 2>/dev/null)" = GIF89a

# The window needs its layouts from Themes/ beside the program: without them it says so at
# once. Still running after a few seconds means the window is up.
if [ -n "${DISPLAY:-}" ]; then
    timeout 5 "$ROOT/usr/bin/zoruvede" >gui.out 2>gui.err
    rc=$?
    check "the unpacked application keeps running (status $rc)" [ "$rc" -eq 124 ]
    check "the unpacked application finds its layouts" not contains gui.err 'could not be loaded'
fi

finish
