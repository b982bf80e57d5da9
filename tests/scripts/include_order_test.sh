#!/bin/bash
# The folders are the architecture: the core includes nothing with windows, each floor of the
# core only floors below it, and no files of the core include each other in a circle
# (tools/include_order.py). Before the real tree, the checker must catch each kind of break in
# a small tree made here, so a checker that sees nothing can't pass.
# Usage: include_order_test.sh <source dir> [<build dir>]
set -u
SRC="${1:?source dir}"
CHECK="$SRC/tools/include_order.py"
command -v python3 >/dev/null || { echo "SKIPPED: python3 is not installed"; exit 77; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0

# A tree of two core floors (low, high) and a ui folder; each case adds one include.
make_tree() {
    rm -rf "$tmp/t"
    mkdir -p "$tmp/t/core/low" "$tmp/t/core/high" "$tmp/t/ui/win" "$tmp/t/app"
    echo 'set(CORE_FLOORS low high)' >"$tmp/t/core/CMakeLists.txt"
    echo 'set(UI_FOLDERS win)' >"$tmp/t/ui/CMakeLists.txt"
    printf '#pragma once\n' >"$tmp/t/core/low/a.h"
    printf '#include "core/low/a.h"\n' >"$tmp/t/core/low/a.cpp"
    printf '#pragma once\n#include "core/low/a.h"\n' >"$tmp/t/core/high/b.h"
    printf '#pragma once\n#include "core/high/b.h"\n' >"$tmp/t/ui/win/w.h"
    printf '#pragma once\n#include "ui/win/w.h"\n' >"$tmp/t/app/main.h"
}

make_tree
python3 "$CHECK" "$tmp/t" >/dev/null || { echo "FAILED: a tree that keeps its floors is refused"; failed=1; }

expect_break() {  # expect_break description file line
    make_tree
    printf '%s\n' "$3" >>"$tmp/t/$2"
    if python3 "$CHECK" "$tmp/t" >/dev/null; then
        echo "FAILED: the checker let pass $1"
        failed=1
    fi
}
expect_break "a low floor including a higher one" core/low/a.cpp '#include "core/high/b.h"'
expect_break "the core including a window" core/high/b.h '#include "ui/win/w.h"'
expect_break "the core including the program" core/low/a.h '#include "app/main.h"'
expect_break "the windows including the program" ui/win/w.h '#include "app/main.h"'
# a.cpp includes c.h, whose source includes a.h: the two units need each other.
make_tree
printf '#include "core/low/c.h"\n' >>"$tmp/t/core/low/a.cpp"
printf '#pragma once\n' >"$tmp/t/core/low/c.h"
printf '#include "core/low/a.h"\n' >"$tmp/t/core/low/c.cpp"
python3 "$CHECK" "$tmp/t" >/dev/null &&
    { echo "FAILED: the checker let pass a circle within one floor"; failed=1; }

echo "The tree:"
python3 "$CHECK" "$SRC" || failed=1
[[ $failed -eq 0 ]] && echo "PASSED"
exit $failed
