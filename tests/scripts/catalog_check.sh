#!/usr/bin/env bash
# Completeness check of the translation catalogs Language/<lang>/language.po.
#
# Usage: catalog_check.sh [-v] [--pot FILE] [--no-self-test] <source dir> [<build dir>]
#
# 1. Extracts every lookup key that the program can show: xgettext over the C++ sources
#    (core/ ui/ app/ cli/) and, through `wxrc --gettext`, the labels,
#    titles and tool tips of Themes/*.xrc (the XRC loader translates them, because the
#    resource is used with the toolkit's default flags, which include wxXRC_USE_LOCALE).
# 2. For every catalog: runs `msgfmt --check`, checks the header, and fails when a key is
#    missing, fuzzy or untranslated, or when a translation differs from its key in its printf
#    placeholders (sequence of %d, %s, %.2f, %% ...), its accelerator marker ("&"), its line
#    breaks or its tabs. Translated entries that no source uses yet are allowed (they are
#    listed with -v): keys written down before the code that shows them lands.
# 3. --pot FILE writes the extracted template (Language/language.pot is made this way).
# 4. Then checks itself: it runs on a small sample tree with planted faults and fails unless
#    it reports each of them and nothing else (--no-self-test skips this).
#
# Prints a report per language; exits 1 when anything is wrong, 2 on a usage or tool error.
set -euo pipefail

verbose=0
self_test=1
pot_out=""
args=()
while [[ $# -gt 0 ]]; do
    case "$1" in
        -v) verbose=1; shift ;;
        --pot) pot_out="${2:?--pot needs a file name}"; shift 2 ;;
        --no-self-test) self_test=0; shift ;;
        -h|--help) sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) args+=("$1"); shift ;;
    esac
done
if [[ ${#args[@]} -lt 1 || ${#args[@]} -gt 2 ]]; then
    echo "usage: $0 [-v] [--pot FILE] [--no-self-test] <source dir> [<build dir>]" >&2
    exit 2
fi
src=$(cd "${args[0]}" && pwd)
build=""
if [[ ${#args[@]} -eq 2 && -d "${args[1]}" ]]; then
    build=$(cd "${args[1]}" && pwd)
fi
if [[ -n "$pot_out" && "$pot_out" != /* ]]; then
    pot_out="$PWD/$pot_out"
fi

for tool in xgettext msgfmt msgcat; do
    if ! command -v "$tool" >/dev/null; then
        echo "catalog check: '$tool' is missing (Debian package gettext)" >&2
        exit 2
    fi
done

tmp=$(mktemp -d)
# KEEP_TMP=1 keeps the scratch folder for a look at the extraction.
trap '[[ -n "${KEEP_TMP:-}" ]] || rm -rf "$tmp"' EXIT

# ---- 1. Extraction -------------------------------------------------------------------------
cd "$src"
# (wxGetTranslation's plural form can't be told from its form with a domain and a context by
# the count of arguments; plurals are written with wxPLURAL.)
keywords=(-k_ -kwxGetTranslation:1 -kwxTRANSLATE -kwxTRANSLATE_IN_CONTEXT:1c,2 -kwxPLURAL:1,2
          -kwxGETTEXT_IN_CONTEXT:1c,2 -kwxGETTEXT_IN_CONTEXT_PLURAL:1c,2,3)
version=$(sed -n 's/^project(zoruvede VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt 2>/dev/null || true)
xgettext_common=(--from-code=UTF-8 --language=C++ --force-po --add-comments=TRANSLATORS:
                 --package-name=Zoruvede --package-version="${version:-0}" "${keywords[@]}")

# xgettext, without its advice about the bug report address (there is none to give).
run_xgettext() {
    local rc=0
    xgettext "${xgettext_common[@]}" "$@" 2> "$tmp/xgettext.err" || rc=$?
    awk '/option --msgid-bugs-address was not specified/ {skip = 3; next}
         skip > 0 {skip--; next} {print}' "$tmp/xgettext.err" >&2
    return $rc
}

mapfile -t cpp_files < <(find core ui app cli \
    -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) \
    2>/dev/null | LC_ALL=C sort)
if [[ ${#cpp_files[@]} -gt 0 ]]; then
    run_xgettext -o "$tmp/code.pot" "${cpp_files[@]}"
else
    run_xgettext -o "$tmp/code.pot" /dev/null
fi

pots=("$tmp/code.pot")
xrc_note=""
shopt -s nullglob
xrc_files=(Themes/*.xrc)
shopt -u nullglob
if [[ ${#xrc_files[@]} -gt 0 ]]; then
    if command -v wxrc >/dev/null; then
        wxrc --gettext -o "$tmp/xrc_strings.cpp" "${xrc_files[@]}"
        # wxrc writes `#line N "Themes/x.xrc"` before each string, which xgettext follows: the
        # references name the XRC files.
        run_xgettext -o "$tmp/xrc.pot" "$tmp/xrc_strings.cpp"
        pots+=("$tmp/xrc.pot")
    else
        # wxrc comes with Debian's wx-common, a dependency of libwxgtk3.2-dev.
        xrc_note="wxrc not found: the texts of Themes/*.xrc were not extracted"
    fi
fi
msgcat --use-first --force-po -o "$tmp/language.pot" "${pots[@]}"
if [[ -n "$pot_out" ]]; then
    sed -e '1s/.*/# Lookup keys of the Zoruvede interface (domain "language"), extracted by/' \
        -e '2s/.*/# tests\/scripts\/catalog_check.sh --pot from the C++ sources and Themes\/*.xrc./' \
        "$tmp/language.pot" > "$pot_out"
fi

# ---- 2. Catalogs ----------------------------------------------------------------------------
# po_records FILE: one line per entry that is not obsolete and not the header:
#   fuzzy <TAB> msgctxt <TAB> msgid <TAB> msgid_plural <TAB> msgstr[0] <US> msgstr[1] ...
#   <TAB> first source reference
# The strings stay in their escaped PO form (a line break is the two characters \n).
po_records() {
    awk '
        function flush() {
            if (have && !obsolete && !(id == "" && ctxt == "" && !hasctxt))
                printf "%d\t%s\t%s\t%s\t%s\t%s\n", fuzzy, ctxt, id, plural, strs, loc
            have = 0; fuzzy = 0; obsolete = 0; hasctxt = 0; loc = ""
            ctxt = ""; id = ""; plural = ""; strs = ""; nstr = 0; field = ""; instr = 0
        }
        function unquote(s) { sub(/^[ \t]*"/, "", s); sub(/"[ \t]*$/, "", s); return s }
        function append(s) {
            if (field == "ctxt") ctxt = ctxt s
            else if (field == "id") id = id s
            else if (field == "plural") plural = plural s
            else if (field == "str") strs = strs s
        }
        /^#~/ { if (instr) flush(); obsolete = 1; have = 1; next }
        /^#: / { if (instr) flush(); if (loc == "") loc = $2; next }
        /^#,/ { if (instr) flush(); if ($0 ~ /[ ,]fuzzy([ ,]|$)/) fuzzy = 1; next }
        /^#/ { if (instr) flush(); next }
        /^[ \t]*$/ { next }
        /^msgctxt[ \t]/ {
            if (instr) flush()
            have = 1; hasctxt = 1; field = "ctxt"; sub(/^msgctxt[ \t]+/, ""); append(unquote($0)); next
        }
        /^msgid[ \t]/ {
            if (instr) flush()
            have = 1; field = "id"; sub(/^msgid[ \t]+/, ""); append(unquote($0)); next
        }
        /^msgid_plural[ \t]/ { field = "plural"; sub(/^msgid_plural[ \t]+/, ""); append(unquote($0)); next }
        /^msgstr(\[[0-9]+\])?[ \t]/ {
            instr = 1; field = "str"
            if (nstr++ > 0) strs = strs "\037"
            sub(/^msgstr(\[[0-9]+\])?[ \t]+/, ""); append(unquote($0)); next
        }
        /^[ \t]*"/ { append(unquote($0)); next }
        END { flush() }' "$1"
}

po_records "$tmp/language.pot" > "$tmp/keys.tsv"
total_keys=$(wc -l < "$tmp/keys.tsv")
xrc_keys=0
if [[ -f "$tmp/xrc.pot" ]]; then
    xrc_keys=$(po_records "$tmp/xrc.pot" | wc -l)
fi
echo "catalog check: $total_keys lookup keys in the sources ($xrc_keys of them from Themes/*.xrc)"
[[ -n "$xrc_note" ]] && echo "note: $xrc_note"

status=0
shopt -s nullglob
catalogs=("$src"/Language/*/language.po)
shopt -u nullglob
if [[ ${#catalogs[@]} -eq 0 ]]; then
    echo "FAIL: no catalog Language/<lang>/language.po found"
    exit 1
fi

for po in "${catalogs[@]}"; do
    lang=$(basename "$(dirname "$po")")
    problems=()

    if ! msgfmt --check -o /dev/null "$po" 2> "$tmp/msgfmt.err"; then
        problems+=("msgfmt --check failed:")
        while IFS= read -r line; do problems+=("    $line"); done < "$tmp/msgfmt.err"
    fi

    # (awk reads to the end: an early exit would break the pipe under pipefail)
    header=$(msgcat --no-wrap "$po" 2>/dev/null \
             | awk '!done && /^msgid ""$/ {h = 1; next} h && /^$/ {h = 0; done = 1} h' || true)
    grep -q 'Content-Type: text/plain; charset=UTF-8' <<< "$header" \
        || problems+=("header: Content-Type is not text/plain; charset=UTF-8")
    grep -q 'Plural-Forms: nplurals=' <<< "$header" \
        || problems+=("header: no Plural-Forms")
    grep -q "\"Language: $lang\\\\n\"" <<< "$header" \
        || problems+=("header: Language is not $lang")

    po_records "$po" > "$tmp/$lang.tsv"
    # Compare the catalog with the keys; check every translated entry of the catalog.
    awk -F '\t' -v verbose="$verbose" '
        function specs(s,    out, m) {
            out = ""
            while (match(s, /%([0-9]+\$)?[-+ #0\047]*([0-9]+|\*)?(\.([0-9]+|\*)?)?(hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcspn%]/)) {
                m = substr(s, RSTART, RLENGTH)
                out = out (out == "" ? "" : " ") m
                s = substr(s, RSTART + RLENGTH)
            }
            return out == "" ? "(none)" : out
        }
        function count(s, pat,    n) {
            n = 0
            while (match(s, pat)) { n++; s = substr(s, RSTART + RLENGTH) }
            return n
        }
        function accels(s) { gsub(/&&/, "", s); return count(s, "&") }
        function show(ctxt, id) { return (ctxt == "" ? "" : "[" ctxt "] ") "\"" id "\"" }
        FILENAME == ARGV[1] {
            key = $2 SUBSEP $3
            if (!(key in used)) {
                used[key] = 1; order[++nkeys] = key
                text[key] = show($2, $3) ($6 == "" ? "" : "  " $6)
            }
            next
        }
        {
            key = $2 SUBSEP $3
            n = split($5, strs, "\037")
            empty = (n == 0)
            for (i = 1; i <= n; i++) if (strs[i] == "") empty = 1
            if ($1 == 1) state[key] = "fuzzy"
            else if (empty) state[key] = "untranslated"
            else state[key] = "ok"
            if (state[key] != "ok") next
            translated++
            if (!(key in used)) unused[++nunused] = show($2, $3)
            for (i = 1; i <= n; i++) {
                ref = (i > 1 && $4 != "") ? $4 : $3
                if (specs(ref) != specs(strs[i]))
                    bad[++nbad] = show($2, $3) ": placeholders " specs(ref) " but the translation has " specs(strs[i])
                if (accels(ref) != accels(strs[i]))
                    bad[++nbad] = show($2, $3) ": " accels(ref) " accelerator marker(s) \"&\" but the translation has " accels(strs[i])
                if (count(ref, "\\\\n") != count(strs[i], "\\\\n"))
                    bad[++nbad] = show($2, $3) ": " count(ref, "\\\\n") " line break(s) but the translation has " count(strs[i], "\\\\n")
                if (count(ref, "\\\\t") != count(strs[i], "\\\\t"))
                    bad[++nbad] = show($2, $3) ": " count(ref, "\\\\t") " tab(s) but the translation has " count(strs[i], "\\\\t")
            }
        }
        END {
            for (k = 1; k <= nkeys; k++) {
                key = order[k]
                if (!(key in state)) missing[++nmissing] = text[key] "  (missing)"
                else if (state[key] != "ok") missing[++nmissing] = text[key] "  (" state[key] ")"
            }
            for (k = 1; k <= nmissing; k++) print "M\t" missing[k]
            for (k = 1; k <= nbad; k++) print "B\t" bad[k]
            printf "S\t%d translated entries, %d not used by the sources yet\n", translated, nunused
            if (verbose) for (k = 1; k <= nunused; k++) print "U\t" unused[k]
        }' "$tmp/keys.tsv" "$tmp/$lang.tsv" > "$tmp/$lang.report"

    summary=$(awk -F '\t' '$1 == "S" { print $2 }' "$tmp/$lang.report")
    mapfile -t missing < <(awk -F '\t' '$1 == "M" { print $2 }' "$tmp/$lang.report")
    mapfile -t bad < <(awk -F '\t' '$1 == "B" { print $2 }' "$tmp/$lang.report")
    mapfile -t unused < <(awk -F '\t' '$1 == "U" { print $2 }' "$tmp/$lang.report")
    if [[ ${#missing[@]} -gt 0 ]]; then
        problems+=("${#missing[@]} key(s) missing, fuzzy or untranslated:")
        for m in "${missing[@]}"; do problems+=("    $m"); done
    fi
    if [[ ${#bad[@]} -gt 0 ]]; then
        problems+=("${#bad[@]} translation(s) that don't fit their key:")
        for b in "${bad[@]}"; do problems+=("    $b"); done
    fi
    if [[ -n "$build" && -d "$build/Language" ]]; then
        mo="$build/Language/$lang/language.mo"
        if [[ ! -f "$mo" ]]; then
            summary+="; note: $mo is not built"
        elif [[ "$mo" -ot "$po" ]]; then
            summary+="; note: $mo is older than its source"
        fi
    fi

    if [[ ${#problems[@]} -eq 0 ]]; then
        echo "$lang: OK, $summary"
    else
        status=1
        echo "$lang: FAIL, $summary"
        for p in "${problems[@]}"; do echo "  $p"; done
    fi
    for u in "${unused[@]}"; do echo "    not used yet: $u"; done
done

if [[ $status -eq 0 ]]; then
    echo "catalog check: all ${#catalogs[@]} catalogs complete"
else
    echo "catalog check: FAILED"
fi

# ---- 4. Self-test ---------------------------------------------------------------------------
# A sample tree: one source file, one layout file, a catalog "xx" with one fault of each kind
# and a catalog "ok" without any.
if [[ $self_test -eq 1 ]]; then
    sample="$tmp/sample"
    mkdir -p "$sample/app" "$sample/Themes" "$sample/Language/xx" "$sample/Language/ok"
    cat > "$sample/app/sample.cpp" <<'CPP'
void Sample(int n)
{
    Use(_("Plain"));
    Use(wxString::Format(_("Frame %d of %s"), n, "x"));
    Use(_("&Open"));
    Use(_("Two\nlines"));
    Use(_("Fuzzy one"));
    Use(_("Empty one"));
    Use(_("Missing one"));
    Use(wxPLURAL("%d frame", "%d frames", n));
    Use(wxGETTEXT_IN_CONTEXT("menu", "Open"));
    Use(wxGetTranslation("By function"));
    static const char* marked = wxTRANSLATE("Marked");
    Use("Not a key");
}
CPP
    cat > "$sample/Themes/sample.xrc" <<'XRC'
<?xml version="1.0" encoding="UTF-8"?>
<resource xmlns="http://www.wxwidgets.org/wxxrc" version="2.5.3.0">
  <object class="wxDialog" name="Sample"><title>From layout</title></object>
</resource>
XRC
    header() {
        printf 'msgid ""\nmsgstr ""\n"Language: %s\\n"\n' "$1"
        printf '"Content-Type: text/plain; charset=UTF-8\\n"\n'
        printf '"Plural-Forms: nplurals=2; plural=(n != 1);\\n"\n\n'
    }
    good_entries='msgid "Plain"
msgstr "Schlicht"

msgid "Frame %d of %s"
msgstr "Bild %d von %s"

msgid "&Open"
msgstr "Ö&ffnen"

msgid "Two\nlines"
msgstr "Zwei\nZeilen"

msgid "Fuzzy one"
msgstr "Unscharf"

msgid "Empty one"
msgstr "Leer"

msgid "Missing one"
msgstr "Fehlt"

msgid "%d frame"
msgid_plural "%d frames"
msgstr[0] "%d Bild"
msgstr[1] "%d Bilder"

msgctxt "menu"
msgid "Open"
msgstr "Öffnen"

msgid "By function"
msgstr "Per Funktion"

msgid "Marked"
msgstr "Markiert"

msgid "From layout"
msgstr "Aus dem Layout"

msgid "Not used yet"
msgstr "Noch nicht benutzt"
'
    { header ok; printf '%s' "$good_entries"; } > "$sample/Language/ok/language.po"
    # The faults: a wrong Language, swapped placeholders, a lost accelerator, a lost line
    # break, a fuzzy and an empty entry, a missing key, a plural form without its number.
    { header yy; printf '%s' "$good_entries"; } \
        | sed -e 's/^msgstr "Bild %d von %s"/msgstr "Bild %s von %d"/' \
              -e 's/^msgstr "Ö&ffnen"/msgstr "Öffnen"/' \
              -e 's/^msgstr "Zwei\\nZeilen"/msgstr "Zwei Zeilen"/' \
              -e 's/^msgid "Fuzzy one"/#, fuzzy\n&/' \
              -e 's/^msgstr "Leer"/msgstr ""/' \
              -e '/^msgid "Missing one"/,/^$/d' \
              -e 's/^msgstr\[1\] "%d Bilder"/msgstr[1] "Bilder"/' \
        > "$sample/Language/xx/language.po"
    # Without wxrc the layout text is no key, and its entry counts as not used yet.
    unused_in_sample=1
    command -v wxrc >/dev/null || unused_in_sample=2
    expected=(
        "ok: OK, 13 translated entries, $unused_in_sample not used by the sources yet"
        "xx: FAIL, 10 translated entries, $unused_in_sample not used by the sources yet"
        '  header: Language is not xx'
        '  3 key(s) missing, fuzzy or untranslated:'
        '      "Fuzzy one"  app/sample.cpp:7  (fuzzy)'
        '      "Empty one"  app/sample.cpp:8  (untranslated)'
        '      "Missing one"  app/sample.cpp:9  (missing)'
        '  4 translation(s) that don'"'"'t fit their key:'
        '      "Frame %d of %s": placeholders %d %s but the translation has %s %d'
        '      "&Open": 1 accelerator marker(s) "&" but the translation has 0'
        '      "Two\nlines": 1 line break(s) but the translation has 0'
        '      "%d frame": placeholders %d but the translation has (none)'
    )
    sample_rc=0
    bash "$0" --no-self-test "$sample" > "$tmp/sample.out" 2>&1 || sample_rc=$?
    missed=()
    for line in "${expected[@]}"; do
        grep -qxF -- "$line" "$tmp/sample.out" || missed+=("$line")
    done
    # Nothing but the planted faults: apart from its first and last line, the sample report
    # has exactly the expected lines.
    extra=$(grep -vxF -f <(printf '%s\n' "${expected[@]}") "$tmp/sample.out" \
            | grep -v -e '^catalog check: ' -e '^note: wxrc not found' || true)
    if [[ $sample_rc -ne 1 || ${#missed[@]} -gt 0 || -n "$extra" ]]; then
        echo "self-test: FAILED (exit status $sample_rc on the sample tree)"
        for line in "${missed[@]}"; do echo "  not reported: $line"; done
        [[ -n "$extra" ]] && sed 's/^/  unexpected: /' <<< "$extra"
        status=1
    else
        echo "self-test: OK, the check reports each fault planted in a sample catalog"
    fi
fi
exit $status
