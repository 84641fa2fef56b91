#!/usr/bin/env bash
# Cross-builds corvina.exe (console), corvinaw.exe (the window program), the window module
# corvina_window.dll that corvina.exe loads to open the window, and their tests for 64-bit
# Windows with mingw-w64 into build-win/, the program folder with every data file, and runs
# every test under Wine through ctest, the window's under Xvfb; then compares the output of the
# Windows and the Linux build (compare-windows.sh).
#   scripts/build-windows.sh [--dist]   (--dist also writes dist/corvina-VERSION-win64.zip)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${WIN_BUILD_DIR:-$ROOT/build-win}"
DIST=0
for arg in "$@"; do
    case "$arg" in
    --dist) DIST=1 ;;
    *) echo "unknown option $arg" >&2; exit 2 ;;
    esac
done

source "$ROOT/scripts/packages.sh"
install_packages --no-install-recommends "${WINDOWS_PACKAGES[@]}" xvfb xauth
source "$ROOT/scripts/wine.sh"

seconds() { date +%s; }
t0=$(seconds)
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/x86_64-w64-mingw32.cmake" -DCORVINA_WINDOW=OFF --no-warn-unused-cli \
    ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" --target corvina
t1=$(seconds)
cmake --build "$BUILD_DIR"
t2=$(seconds)
(cd "$BUILD_DIR" && ctest --output-on-failure -j2 -LE window)
t3=$(seconds)
# The window's tests need a display: Xvfb, with a Wine prefix of their own.
WINDOW_PREFIX="$(window_prefix)"
(cd "$BUILD_DIR" && WINEPREFIX="$WINDOW_PREFIX" xvfb-run -a ctest --output-on-failure -j2 -L window)
WINEPREFIX="$WINDOW_PREFIX" wineserver -k 2>/dev/null || true
t4=$(seconds)
echo "Windows build: program $((t1 - t0)) s, tests $((t2 - t1)) s, test run $((t3 - t2)) s," \
    "window tests $((t4 - t3)) s"

"$ROOT/scripts/compare-windows.sh"

if [ "$DIST" = 1 ]; then
    VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")"
    NAME="corvina-$VERSION-win64"
    STAGE="$BUILD_DIR/dist/$NAME"
    rm -rf "$STAGE"
    mkdir -p "$STAGE" "$ROOT/dist"
    PROGRAMS=(corvina.exe corvinaw.exe corvina_window.dll)
    for program in "${PROGRAMS[@]}"; do
        x86_64-w64-mingw32-strip -o "$STAGE/$program" "$BUILD_DIR/$program"
    done
    cp "$ROOT"/data/* "$STAGE/"
    [ -f "$ROOT/README.ja.md" ] && cp "$ROOT/README.ja.md" "$STAGE/"
    rm -f "$ROOT/dist/$NAME.zip"
    (cd "$BUILD_DIR/dist" && zip -qr -X "$ROOT/dist/$NAME.zip" "$NAME")
    for program in "${PROGRAMS[@]}"; do
        unzip -l "$ROOT/dist/$NAME.zip" "$NAME/$program" >/dev/null ||
            { echo "dist: $program is missing from the zip" >&2; exit 1; }
    done
    echo "Wrote dist/$NAME.zip"
fi
