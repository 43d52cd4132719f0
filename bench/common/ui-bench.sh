# Sourced by the desktop program's benchmarks (bench/ui_list.sh, bench/picture.sh).
# run_ui_bench NAME TARGET [ARGS...]: builds TARGET in a folder of its own (build-bench-ui,
# Release, with the widgets; KELVANE_BENCH_UI_BUILD overrides) and runs it on Qt's offscreen
# platform with ARGS.
run_ui_bench() {
    local name=$1 target=$2
    shift 2
    local root
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    source "$root/scripts/lib.sh"
    local build=${KELVANE_BENCH_UI_BUILD:-$root/build-bench-ui}
    mkdir -p "$build"
    if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_UI=ON &&
            cmake --build "$build" -j "$(jobs)" --target "$target"; } \
            >"$build/bench-build.log" 2>&1; then
        tail -n 40 "$build/bench-build.log" >&2
        echo "bench/$name: build failed (log: $build/bench-build.log)" >&2
        exit 1
    fi
    QT_QPA_PLATFORM=offscreen exec "$build/bench/$target" "$@"
}
