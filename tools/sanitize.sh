#!/usr/bin/env bash
# Builds the model and networking libraries and their tests with
# AddressSanitizer and UndefinedBehaviorSanitizer (no windows) and runs both
# test suites; the downloader's run against a server on 127.0.0.1.
#   tools/sanitize.sh [ctest arguments]
set -euo pipefail
source "$(dirname "$0")/setup.sh"
KELTON_BUILD="${KELTON_ASAN_BUILD:-$KELTON_ROOT/build-asan}"
kelton_build -DKELTON_SANITIZE=ON -DKELTON_BUILD_UI=OFF -DKELTON_BUILD_NET=ON -DKELTON_BUILD_BENCH=OFF
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$KELTON_BUILD"
ctest --output-on-failure --parallel "$(nproc)" "$@"
