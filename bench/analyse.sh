#!/usr/bin/env bash
# bench/run analyse DIR [ROUNDS]: the analysis benchmark (bench/analyse_bench.cpp) with the mido
# reference script of this folder. Make a corpus first, e.g.
#   bench/make-midi-corpus /tmp/midi-corpus 10000
# KELVANE_BENCH_MIDO_FILES=N takes the mido reference over the first N files only (it reads
# some 15 to 30 files a second); KELVANE_BENCH_MIDO_ROUNDS=0 leaves it out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export KELVANE_BENCH_MIDO_SCRIPT=${KELVANE_BENCH_MIDO_SCRIPT:-$here/mido_read.py}
exec "${KELVANE_BENCH_BUILD:-$here/../build-bench}/bench/analyse_bench" "$@"
