#!/usr/bin/env bash
# Installs what is missing, builds and starts Kelton.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
kelton_build -DKELTON_BUILD_TESTS=OFF
exec "$KELTON_BUILD/app/kelton" "$@"
