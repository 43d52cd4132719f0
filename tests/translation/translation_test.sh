#!/usr/bin/env bash
# Runs the widget tests and kelvane-cli with every translated text recorded, then checks that
# the language file translates each of them.
#
#   translation_test.sh SOURCE_DIR BINARY_DIR CHECK_PROGRAM LANGUAGE [UI_TEST...]
set -uo pipefail
source_dir=$1
binary_dir=$2
check=$3
language=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
record=$work/record.txt
"$source_dir/tests/translation/record_texts.sh" "$record" "$source_dir" \
    "$binary_dir/kelvane-cli" "$@" || exit 1
# The check's own trace file goes to a copy of the language file's folder, not the sources.
mkdir "$work/home"
cp "$source_dir"/data/ZOL_*.lan "$work/home/"
KELVANE_HOME=$work/home "$check" "$record" "$language"
