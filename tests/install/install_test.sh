#!/usr/bin/env bash
# The installed program: installs the build into a temporary prefix, checks the layout, and
# runs the installed kelvane-cli (through its link in PREFIX/bin, with no KELVANE_HOME) on a
# generated sample tree in both run modes. The program folder must stay untouched at run time.
#
#   tests/install/install_test.sh BUILD_DIR SOURCE_DIR [CMAKE]
set -euo pipefail

build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
cmake=${3:-cmake}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
program_dir=$prefix/lib/kelvane

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

unset DESTDIR KELVANE_HOME
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"

# Layout: the program folder with its files, links in bin/, manual pages.
for file in kelvane-cli kelvane.CFG kelvane.CFA kelvane.CFM help/help.css; do
    [ -f "$program_dir/$file" ] || fail "not installed: lib/kelvane/$file"
done
ls "$program_dir"/*.kby > /dev/null 2>&1 || fail "no keyboard data (*.kby) in lib/kelvane"
diff -r "$source_dir/help" "$program_dir/help" > /dev/null || fail "installed help differs from help/"
[ -L "$prefix/bin/kelvane-cli" ] || fail "bin/kelvane-cli is not a symbolic link"
[ "$(readlink -f "$prefix/bin/kelvane-cli")" = "$(readlink -f "$program_dir/kelvane-cli")" ] ||
    fail "bin/kelvane-cli does not lead to lib/kelvane/kelvane-cli"
[ -f "$prefix/share/man/man1/kelvane-cli.1" ] || fail "no kelvane-cli.1"
if [ -f "$build/kelvane" ]; then
    [ "$(readlink -f "$prefix/bin/kelvane")" = "$(readlink -f "$program_dir/kelvane")" ] ||
        fail "bin/kelvane does not lead to lib/kelvane/kelvane"
    for file in share/applications/kelvane.desktop share/applications/morvane.desktop \
        share/icons/hicolor/scalable/apps/kelvane.svg share/icons/hicolor/scalable/apps/morvane.svg \
        share/man/man1/kelvane.1; do
        [ -f "$prefix/$file" ] || fail "not installed: $file"
    done
    grep -qx 'Exec=kelvane -m' "$prefix/share/applications/morvane.desktop" ||
        fail "morvane.desktop does not start kelvane -m"
    if command -v desktop-file-validate > /dev/null; then
        desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop entries"
    fi
fi
if command -v groff > /dev/null; then
    for page in "$prefix"/share/man/man1/*.1; do
        warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
        [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    done
fi

# A sample tree; the expected counts come from the files themselves.
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
"$python" "$source_dir/data/make-samples" "$work/samples" > /dev/null || fail "data/make-samples"
styles=$(find "$work/samples/Styles" -type f | grep -ciE '\.(sty|bcs|prs|sst|pcs|pst)$' || true)
midis=$(find "$work/samples/Midi" -type f | grep -ciE '\.(mid|kar)$' || true)
[ "$styles" -gt 0 ] && [ "$midis" -gt 0 ] || fail "the sample tree holds no files"

listing() { (cd "$program_dir" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)

# Runs the installed kelvane-cli `list -s --format csv` (one header line, one line per file).
run_list() {
    local out=$work/out.csv err=$work/err.txt status=0
    env HOME="$work/home" XDG_STATE_HOME="$work/state" KELVANE_SETTINGS="$work/settings.ini" \
        "$prefix/bin/kelvane-cli" list "$@" -s --format csv > "$out" 2> "$err" || status=$?
    [ "$status" -eq 0 ] || fail "kelvane-cli list $* exited with $status: $(cat "$err")"
    echo $(($(wc -l < "$out") - 1))
}
mkdir -p "$work/home"
rows=$(run_list "$work/samples/Styles")
[ "$rows" -eq "$styles" ] || fail "style mode lists $rows rows, the tree holds $styles style files"
[ -n "$(find "$work/samples/Styles" -name ZOL.SDB)" ] || fail "no data file written beside the styles"
rows=$(run_list -m "$work/samples/Midi")
[ "$rows" -eq "$midis" ] || fail "midi mode lists $rows rows, the tree holds $midis MIDI files"
# Second reading from the data files just written: the same rows.
rows=$(run_list "$work/samples/Styles")
[ "$rows" -eq "$styles" ] || fail "the second reading lists $rows rows, not $styles"

[ "$before" = "$(listing)" ] || fail "the program folder changed at run time"
echo "installed kelvane-cli listed $styles styles and $midis MIDI files"
