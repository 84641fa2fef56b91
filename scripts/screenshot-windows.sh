#!/usr/bin/env bash
# Starts corvinaw.exe of the Windows build under Wine in Xvfb, as a Japanese user would, and
# writes a picture of its window to docs/window-windows.png. The Windows build folder
# (WIN_BUILD_DIR, default build-win/) is built first; build-windows.sh configures it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${WIN_BUILD_DIR:-$ROOT/build-win}"
OUT="${1:-$ROOT/docs/window-windows.png}"

source "$ROOT/scripts/packages.sh"
install_packages --no-install-recommends "${WINDOWS_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}" fonts-wine
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    echo "screenshot: $BUILD_DIR is not configured; run scripts/build-windows.sh first" >&2
    exit 1
fi
cmake --build "$BUILD_DIR" --target corvinaw corvina_data >/dev/null
source "$ROOT/scripts/wine.sh"
ensure_japanese_locale
# The window's own prefix; the batch prefix's server is not needed.
wineserver -k 2>/dev/null || true
WINEPREFIX="$(window_prefix)"
mkdir -p "$(dirname "$OUT")"
# The symbols of Wine's caption buttons, which its prefix does not always find by itself.
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi

# The program runs in a copy of the program folder, so that the shipped color.txt stays as it is.
RUN="$BUILD_DIR/screenshot"
rm -rf "$RUN"
mkdir -p "$RUN"
cp "$BUILD_DIR/corvinaw.exe" "$ROOT"/data/* "$RUN/"

# Wine's own desktop draws the frame and caption that Windows would; the picture is the window
# cut from the desktop's plain background.
LANG=ja_JP.UTF-8 xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    set -euo pipefail
    wine explorer /desktop=corvina,640x420 "$1" &
    pid=$!
    id=""
    for _ in $(seq 200); do
        id=$(xwininfo -root -tree 2>/dev/null | awk "/\"corvina/ && /640x420/ {print \$1; exit}")
        [ -n "$id" ] && break
        sleep 0.1
    done
    if [ -z "$id" ]; then
        echo "screenshot: the window did not appear" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    sleep 3
    import -window "$id" "$2.desktop.png"
    kill "$pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
' _ 'Z:'"$RUN/corvinaw.exe" "$OUT"
convert "$OUT.desktop.png" -trim +repage "$OUT"
rm -f "$OUT.desktop.png"
echo "wrote $OUT"
