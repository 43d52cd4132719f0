#!/usr/bin/env bash
# Records every text that passes through Translate while the program runs: the widget tests
# (offscreen) and kelvane-cli over a generated sample tree in both run modes. The texts are
# appended to RECORD_FILE, one per line, escaped as in a language file.
#
#   tests/translation/record_texts.sh RECORD_FILE SOURCE_DIR KELVANE_CLI [UI_TEST...]
#
# Exit status 1 when a run failed: its texts would be missing from the record.
set -uo pipefail

record=$1
source_dir=$(cd "$2" && pwd)
cli=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

fail() {
    echo "FAIL: $*" >&2
    failed=1
}

export KELVANE_RECORD_TRANSLATIONS=$record
# The runs must neither read nor change the user's settings, trace or home.
export KELVANE_SETTINGS=$work/settings.ini HOME=$work/home XDG_STATE_HOME=$work/state
mkdir -p "$HOME"

for ui_test in "$@"; do
    if ! QT_QPA_PLATFORM=offscreen KELVANE_SOURCE_DIR=$source_dir \
        "$ui_test" > "$work/ui.log" 2>&1; then
        tail -n 30 "$work/ui.log" >&2
        fail "$(basename "$ui_test") failed"
    fi
done

python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
"$python" "$source_dir/data/make-samples" "$work/samples" > /dev/null || fail "data/make-samples"

# run_cli ARGS...: kelvane-cli with its output kept for the failure report only. Status 0 or
# 1 (a refused command still shows its texts) is a run; 2 and above mean bad usage or a crash.
run_cli() {
    local status=0
    "$cli" "$@" > "$work/cli.out" 2> "$work/cli.err" < /dev/null || status=$?
    if [ "$status" -gt 1 ]; then
        cat "$work/cli.err" >&2
        fail "kelvane-cli $* exited with $status"
    fi
}

styles=$work/samples/Styles
midis=$work/samples/Midi
for mode in "" -m; do
    tree=$styles
    [ "$mode" = -m ] && tree=$midis
    run_cli scan $mode -s "$tree"
    run_cli list $mode -s --stats "$tree"
    for show in unique-files duplicate-files unique-scores related-scores; do
        run_cli list $mode -s --show "$show" "$tree"
    done
    run_cli list $mode -s --filter 'TEMPO=>= 100 AND <= 120' --sort FILESIZE:desc "$tree"
    run_cli list $mode -s --quick zzz-nothing-matches "$tree"
    run_cli list $mode "$tree"
    run_cli list $mode -s --soft "$tree"
    run_cli list $mode -s --hard "$tree"
    run_cli cdrom-test $mode -s "$tree"
    run_cli export $mode -s "$tree" "$work/export$mode.txt"
    run_cli export $mode -s --csv "$tree" "$work/export$mode.csv"
    run_cli import $mode -s "$tree" "$work/export$mode.txt"
    run_cli fast-access $mode "$tree"
    files=()
    while IFS= read -r -d '' file; do
        files+=("$file")
    done < <(find "$tree" -type f -iregex '.*\.\(sty\|bcs\|prs\|sst\|pcs\|pst\|mid\|kar\)' -print0)
    run_cli info $mode "${files[@]}"
done
run_cli list -s --songs --stats "$styles"
# The audition's messages: a file that plays, one that cannot be read, a section it lacks,
# a damaged file and a SoundFont that cannot be loaded.
style=$(find "$styles" -type f -name '*.sty' | sort | head -n 1)
song=$(find "$midis" -type f -name '*.mid' | sort | head -n 1)
printf 'MThd\0\0\0\6\0\0\0\1\1\340MTrk\0\0\0\14\0\377\6\6Main A\0\364' > "$work/damaged.sty"
run_cli render "$style" --seconds 1 --output "$work/style.wav"
run_cli render -m "$song" --seconds 1 --output "$work/song.wav"
run_cli render "$work/missing.sty" --output "$work/missing.wav"
run_cli render "$style" --section 'No Such Section' --output "$work/none.wav"
run_cli render "$work/damaged.sty" --output "$work/damaged.wav"
run_cli render "$work/export.txt" --output "$work/export.wav"
run_cli render "$style" --soundfont "$work/missing.sf2" --output "$work/nofont.wav"
run_cli render "$style" --output "$work/no/such/folder/x.wav"

exit $failed
