#!/usr/bin/env bash
# Builds Corvina with its tests into build/ and runs every test through ctest, then again in two
# sanitizer builds (build-asan/ in Debug, build-asan-release/; CORVINA_SKIP_SANITIZERS=1 skips
# them).
set -euo pipefail
SETUP_TESTS=1 source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

cmake --build "$BUILD_DIR"
(cd "$BUILD_DIR" && ctest --output-on-failure -j2)

# The same tests twice more under AddressSanitizer and UndefinedBehaviorSanitizer, without the
# window (Qt's own code is not instrumented): a Debug build, whose assertions check every
# shortcut of the lexers against their reference, and a Release build, which takes the shortcuts
# the program ships. Each in its own folder.
if [ "${CORVINA_SKIP_SANITIZERS:-0}" != 1 ]; then
    for config in Debug:"${ASAN_BUILD_DIR:-$ROOT/build-asan}" Release:"$ROOT/build-asan-release"; do
        type="${config%%:*}"
        dir="${config#*:}"
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
            -DCORVINA_SANITIZE=address,undefined -DCORVINA_WINDOW=OFF >/dev/null
        cmake --build "$dir"
        (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
            ctest --output-on-failure -j2)
    done
fi
