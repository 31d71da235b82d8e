#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (windows offscreen).
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
kelton_build
export QT_QPA_PLATFORM=offscreen
cd "$KELTON_BUILD"
ctest --output-on-failure --parallel "$(kelton_jobs)" "$@"
