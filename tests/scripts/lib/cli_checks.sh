# What the command-line script tests share; sourced after CLI is set. Each test works in a
# fresh folder removed at exit, counts its checks and ends with finish.

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
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
        [ -s err ] && sed 's/^/    stderr: /' err
    fi
}

run() {  # run args...: sets rc, stdout in out, stderr in err
    "$CLI" "$@" >out 2>err
    rc=$?
}

contains() { grep -q -- "$2" "$1"; }

frames() { "$GIFSICLE" --info "$1" | grep -c "^  + image"; }  # frames GIF: its frame count

finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
