#!/usr/bin/env bash
# Rebuilds the tests and rewrites the golden token lists and HTML files under tests/golden/.
# The golden test still fails when the token texts do not add up to a sample's input.
set -euo pipefail
SETUP_TESTS=1 source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

cmake --build "$BUILD_DIR" --target corvina_tests
CORVINA_UPDATE_GOLDEN=1 "$BUILD_DIR/tests/corvina_tests" --gtest_filter='Codes/Golden.*'
git -C "$ROOT" status --short -- tests/golden || true
