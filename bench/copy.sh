#!/usr/bin/env bash
# bench/run copy [N] [ROUNDS]: `kelvane-cli copy` of N style files (default 10,000) of a scratch
# tree into an empty folder, against cp of the same files. The tree is scanned once first, so
# that the timed copies list from the data files. Prints
#   copy: ours X s, reference Y s, ratio Z
# (medians of ROUNDS interleaved runs, default 3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
count=${1:-10000}
rounds=${2:-3}
build=${KELVANE_BENCH_BUILD:-$here/../build-bench}
cli=$build/kelvane-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/make-style-corpus" "$work/tree" "$count" >/dev/null
export KELVANE_HOME=$work/home KELVANE_SETTINGS=$work/home/settings.ini
mkdir -p "$KELVANE_HOME"
cp "$here/../data/kelvane.CFG" "$here/../data/kelvane.CFA" "$KELVANE_HOME/"
"$cli" scan -s "$work/tree" >/dev/null 2>&1
find "$work/tree" -type f ! -name 'ZOL*' >"$work/files"

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { print e - s }'
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

ours=()
reference=()
for ((round = 0; round < rounds; round++)); do
    rm -rf "$work/to" && mkdir "$work/to"
    cat "$work/files" >/dev/null
    ours+=("$(seconds "$cli" copy -s --to "$work/to" --on-clash auto-rename "$work/tree")")
    rm -rf "$work/to" && mkdir "$work/to"
    reference+=("$(seconds xargs -a "$work/files" -d '\n' cp --backup=numbered -t "$work/to")")
done
o=$(printf '%s\n' "${ours[@]}" | median)
r=$(printf '%s\n' "${reference[@]}" | median)
awk -v o="$o" -v r="$r" 'BEGIN { printf "copy: ours %.3f s, reference %.3f s, ratio %.2f\n", o, r, o / r }'
