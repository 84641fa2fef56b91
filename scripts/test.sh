#!/usr/bin/env bash
# Builds Corvina with its tests into build/ and runs every test through ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

cmake --build "$BUILD_DIR"
(cd "$BUILD_DIR" && ctest --output-on-failure -j2)
