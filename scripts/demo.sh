#!/usr/bin/env bash
# Builds Corvina into build/ and converts the bundled samples into build/demo/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

cmake --build "$BUILD_DIR" --target corvina
mkdir -p "$BUILD_DIR/demo"
for sample in "$ROOT"/scripts/samples/*; do
    name="$(basename "$sample")"
    code="${name%%_*}"
    out="$BUILD_DIR/demo/$name.html"
    "$BUILD_DIR/corvina" "$code" "$sample" "$out"
    echo "$code: $out"
done
echo "style sheet: $BUILD_DIR/demo/design.css"
