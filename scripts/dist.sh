#!/usr/bin/env bash
# Writes dist/corvina-VERSION-linux-x86_64.tar.gz: a program folder that runs where it is
# unpacked (corvina, the window module corvina_window.so beside it, every data file), from a
# release build in build-dist/; then converts a sample with the unpacked copy.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${DIST_BUILD_DIR:-$ROOT/build-dist}"
source "$ROOT/scripts/setup.sh"

cmake --build "$BUILD_DIR" --target corvina
VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")"
NAME="corvina-$VERSION-linux-x86_64"
STAGE="$BUILD_DIR/dist/$NAME"
rm -rf "$BUILD_DIR/dist"
mkdir -p "$STAGE" "$ROOT/dist"
strip -o "$STAGE/corvina" "$BUILD_DIR/corvina"
[ -f "$BUILD_DIR/corvina_window.so" ] && strip -o "$STAGE/corvina_window.so" "$BUILD_DIR/corvina_window.so"
cp "$ROOT"/data/* "$STAGE/"
[ -f "$ROOT/README.ja.md" ] && cp "$ROOT/README.ja.md" "$STAGE/"
tar -C "$BUILD_DIR/dist" --owner=0 --group=0 -czf "$ROOT/dist/$NAME.tar.gz" "$NAME"

# The unpacked folder converts a golden sample as the build does.
CHECK="$BUILD_DIR/dist/check"
mkdir -p "$CHECK"
tar -C "$CHECK" -xzf "$ROOT/dist/$NAME.tar.gz"
"$CHECK/$NAME/corvina" vc7 "$ROOT/tests/golden/vc7/Sample.cpp" "$CHECK/out.html"
cmp "$CHECK/out.html" "$ROOT/tests/golden/vc7/Sample.cpp.html"
echo "Wrote dist/$NAME.tar.gz"
