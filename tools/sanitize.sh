#!/usr/bin/env bash
# Builds everything, the windows included, and every test with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test
# program whole, each its ".all" test: every case under the sanitizers
# without a process start per case; only the window-layout program, slow
# under the sanitizers, runs its cases side by side (windows offscreen; the
# downloader's run against a server on 127.0.0.1). Leaks inside Qt's font fallback are
# suppressed (tools/lsan.supp). Arguments, when given, go to ctest instead.
#   tools/sanitize.sh [ctest arguments]
# KELTON_JOBS sets the build's and the tests' parallelism (default: nproc).
set -euo pipefail
source "$(dirname "$0")/setup.sh"
KELTON_BUILD="${KELTON_ASAN_BUILD:-$KELTON_ROOT/build-asan}"
kelton_build -DKELTON_SANITIZE=ON -DKELTON_BUILD_UI=ON -DKELTON_BUILD_NET=ON -DKELTON_BUILD_BENCH=OFF
# Whole stacks at every allocation, so that the suppressions can see who
# asked for a leaked block.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:fast_unwind_on_malloc=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$KELTON_ROOT/tools/lsan.supp:print_suppressions=0}"
export QT_QPA_PLATFORM=offscreen
cd "$KELTON_BUILD"
if (($#)); then
  ctest --output-on-failure --parallel "$(kelton_jobs)" "$@"
else
  # The window-layout program, whole, takes minutes under the sanitizers:
  # its cases run one process each, side by side (the plain test run runs
  # it whole).
  ctest --output-on-failure --parallel "$(kelton_jobs)" -R '\.all$|^Screens/WindowLayout\.' \
    -E '^app_ui_test_window_layout\.all$'
fi
