#!/usr/bin/env bash
# Runs the benchmarks behind the performance goals in one go and prints each
# figure on a line of its own: the whole first start, the first append and
# other-filter evaluation, the rebuild from the menu, the analysis views and
# pages, the filter window, scrolling, the print preview and the formula
# runs. Build in Release first (a build folder of its own), e.g.
#   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel
#   tools/bench_goals.sh build-rel
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
compact() {
    # The benchmark's name and its counters.
    awk '/^BM_/ { line = $1; for (i = 2; i <= NF; ++i) if ($i ~ /=/) line = line " " $i; print line }'
}
"$build/bench/kelton_bench" \
    --benchmark_filter='FirstStartWholeProcess|FirstAppendFreshProcess|FirstOtherFilterAfterOpen' 2>/dev/null | compact
"$build/bench/kelton_ui_bench" \
    --benchmark_filter='FirstStartAgainst|MenuRebuild|InferOpenView|InferSwitchPage|FilterWindowOpen|FilterRunToCountLine|DrawEditorPageDown|BetListPageDown|PrinterPageChange|FormulaRunInWindow' \
    2>/dev/null | compact
