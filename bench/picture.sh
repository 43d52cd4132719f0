#!/usr/bin/env bash
# bench/run picture: a 1 MB style read and drawn as the detail pane does (ui_picture_bench.cpp).
# The desktop program's benchmarks need the widgets, so they build in a folder of their own
# (build-bench-ui, Release) and run on Qt's offscreen platform.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
source "$root/scripts/lib.sh"
build=${KELVANE_BENCH_UI_BUILD:-$root/build-bench-ui}
mkdir -p "$build"
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=OFF \
        -DKELVANE_BUILD_UI=ON && cmake --build "$build" -j "$(jobs)" --target ui_picture_bench; } \
        >"$build/bench-build.log" 2>&1; then
    tail -n 40 "$build/bench-build.log" >&2
    echo "bench/picture: build failed (log: $build/bench-build.log)" >&2
    exit 1
fi
QT_QPA_PLATFORM=offscreen exec "$build/bench/ui_picture_bench" "$@"
