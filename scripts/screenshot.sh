#!/usr/bin/env bash
# Shows the window under Xvfb and writes a picture of it to docs/window.png.
# The build folder (BUILD_DIR, default build/) is configured and built first when needed.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
OUT="${1:-$ROOT/docs/window.png}"

source "$ROOT/scripts/packages.sh"
install_packages "${SCREENSHOT_PACKAGES[@]}"
if [ ! -f "$BUILD_DIR/build.ninja" ] && [ ! -f "$BUILD_DIR/Makefile" ]; then
    source "$ROOT/scripts/setup.sh"
fi
cmake --build "$BUILD_DIR" --target corvina corvina_data >/dev/null
mkdir -p "$(dirname "$OUT")"

# No window manager runs under Xvfb, so the window has no frame: the picture is the client area.
xvfb-run -a -s "-screen 0 640x480x24" bash -c '
    set -euo pipefail
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    "$1" &
    pid=$!
    id=""
    for _ in $(seq 100); do
        id=$(xwininfo -root -tree 2>/dev/null | awk "/\"Corvina\"/ && /482x308/ {print \$1; exit}")
        [ -n "$id" ] && break
        sleep 0.1
    done
    if [ -z "$id" ]; then
        echo "screenshot: the window did not appear" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    sleep 1
    import -window "$id" "$2"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
' _ "$BUILD_DIR/corvina" "$OUT"
echo "wrote $OUT"
