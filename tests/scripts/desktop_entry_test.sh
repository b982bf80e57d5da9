#!/bin/bash
# The desktop entry is valid and offers the program for the files it opens: Exec passes the
# chosen files (%F), its Icon is the name the icons are installed under, and MimeType names
# the images the loader reads, the project files and video clips.
# Skipped (77) without desktop-file-validate (package desktop-file-utils).
# Usage: desktop_entry_test.sh <source dir> [<build dir>]
set -u
ENTRY="${1:?source dir}/packaging/com.quorvantel.Zoruvede.desktop"
command -v desktop-file-validate >/dev/null ||
    { echo "SKIPPED: desktop-file-validate is not installed"; exit 77; }

passed=0
failed=0
check() {  # check description command...
    local what=$1
    shift
    if "$@"; then passed=$((passed + 1)); else echo "FAILED: $what"; failed=$((failed + 1)); fi
}

report=$(desktop-file-validate "$ENTRY" 2>&1)
check "desktop-file-validate: $report" test -z "$report"
check "Exec passes the files (%F)" grep -qx 'Exec=zoruvede %F' "$ENTRY"
types=$(sed -n 's/^MimeType=//p' "$ENTRY" | tr ';' '\n')
# The menu finds the picture by name in the icon theme: every size must carry that name.
icon=$(sed -n 's/^Icon=//p' "$ENTRY")
for png in "$1"/packaging/icons/*/*.png; do
    check "Icon= names $png" test "$(basename "$png" .png)" = "$icon"
done
for type in image/png image/jpeg image/bmp image/gif application/xml video/mp4 video/webm; do
    check "MimeType names $type" grep -qx "$type" <<<"$types"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
