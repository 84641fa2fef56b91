#!/usr/bin/env bash
# Builds Corvina with its tests into build/ and runs every test through ctest, then again in a
# sanitizer build (build-asan/; CORVINA_SKIP_SANITIZERS=1 skips it).
set -euo pipefail
SETUP_TESTS=1 source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

cmake --build "$BUILD_DIR"
(cd "$BUILD_DIR" && ctest --output-on-failure -j2)

# The same tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, without the
# window (Qt's own code is not instrumented); a Debug build in its own folder.
ASAN_DIR="${ASAN_BUILD_DIR:-$ROOT/build-asan}"
if [ "${CORVINA_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake -S "$ROOT" -B "$ASAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCORVINA_SANITIZE=address,undefined -DCORVINA_WINDOW=OFF >/dev/null
    cmake --build "$ASAN_DIR"
    (cd "$ASAN_DIR" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j2)
fi
