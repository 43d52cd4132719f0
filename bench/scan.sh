#!/usr/bin/env bash
# bench/run scan DIR [ROUNDS]: the tree scan benchmark (bench/scan_bench.cpp) over a scratch
# tree; it deletes and writes the data files below DIR. Make a tree first, e.g.
#   bench/make-midi-corpus /tmp/scan-midi 20000       (real MIDI files: midi mode)
#   bench/make-style-corpus /tmp/scan-style 20000     (sample style files: style mode)
#   bench/make-style-corpus /tmp/scan-100k 100000     (for the memory figure)
# Prints scan-first (ratio to the analysis alone, target <= 0.8 with one worker per core on
# two cores), scan-first-cpu (the same in CPU time of all threads), scan-second (ratio to find
# plus cat of the data files, target <= 3) and scan-memory (target < 200 MiB at 100,000 files).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 1 ] || [ ! -d "$1" ]; then
    echo "usage: bench/run scan DIR [ROUNDS]   (DIR: a scratch tree, see bench/scan.sh)" >&2
    exit 2
fi
exec "${KELVANE_BENCH_BUILD:-$here/../build-bench}/bench/scan_bench" "$@"
