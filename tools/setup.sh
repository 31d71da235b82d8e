#!/usr/bin/env bash
# Installs what the build needs (Debian 12), configures and builds.
# Sourced by run.sh and test.sh; apt-get runs only when something is missing.
set -euo pipefail

KELTON_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KELTON_BUILD="${KELTON_BUILD:-$KELTON_ROOT/build}"

kelton_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk qt6-translations-l10n
)

kelton_install() {
  local missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Jobs at once for builds and test runs: KELTON_JOBS, or one per core.
kelton_jobs() {
  echo "${KELTON_JOBS:-$(nproc)}"
}

# KELTON_WERROR=ON (CI) makes warnings in Kelton's own code errors.
kelton_build() {
  kelton_install "${kelton_packages[@]}"
  cmake -S "$KELTON_ROOT" -B "$KELTON_BUILD" -G Ninja -DKELTON_WERROR="${KELTON_WERROR:-OFF}" "$@" >/dev/null
  cmake --build "$KELTON_BUILD" --parallel "$(kelton_jobs)"
}

# The fuzz targets (fuzz.sh): clang with its sanitizer and libFuzzer
# runtimes. Only fuzz.sh calls this; the sanitizer build uses g++.
kelton_fuzz_packages=(clang libclang-rt-14-dev)

kelton_fuzz_setup() {
  kelton_install "${kelton_fuzz_packages[@]}"
}
