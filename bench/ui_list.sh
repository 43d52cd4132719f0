#!/usr/bin/env bash
# bench/run ui_list [N]: the list widget's responsiveness at N records (ui_list_bench.cpp).
set -euo pipefail
source "$(dirname "$0")/common/ui-bench.sh"
run_ui_bench ui_list ui_list_bench "$@"
