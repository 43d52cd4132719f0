#!/usr/bin/env bash
# bench/run picture: a 1 MB style read and drawn as the detail pane does (ui_picture_bench.cpp).
set -euo pipefail
source "$(dirname "$0")/common/ui-bench.sh"
run_ui_bench picture ui_picture_bench "$@"
