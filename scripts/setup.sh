#!/usr/bin/env bash
# Installs the Debian packages for building (and, with SETUP_TESTS=1, testing) and configures
# build/. Sourced by demo.sh, test.sh and update-golden.sh; BUILD_DIR and BUILD_TYPE may be set
# before, CMAKE_ARGS adds options.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
BUILD_TYPE="${BUILD_TYPE:-Release}"
source "$ROOT/scripts/packages.sh"

if [ "${SETUP_TESTS:-0}" = 1 ]; then
    install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    TESTS=ON
else
    install_packages "${BUILD_PACKAGES[@]}"
    TESTS=OFF
fi

cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" \
    -DCORVINA_TESTS="$TESTS" ${CMAKE_ARGS:-} >/dev/null
