#!/usr/bin/env bash
# Wine for the Windows build: a 64-bit prefix of its own beside the build (made on first use), no
# debug output, no Mono/Gecko installers and no desktop menus. Sourced by build-windows.sh and
# compare-windows.sh with BUILD_DIR set; needs the packages of WINDOWS_PACKAGES.

export WINEPREFIX="${CORVINA_WINEPREFIX:-$BUILD_DIR/wine}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -w
fi

# One server for the many short test processes, and Wine's own services started now, away from
# the output of ninja and ctest (which would wait for them to close it); stopped when the script
# ends.
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
trap 'wineserver -k 2>/dev/null || true' EXIT

# The Japanese locale, for runs as a Japanese user would start them.
ensure_japanese_locale()
{
    locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
    if [ "$(id -u)" -eq 0 ]; then
        localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    else
        echo "The locale ja_JP.UTF-8 is missing. Run:"
        echo "  sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8"
        return 1
    fi
}

# A prefix of its own for the window's tests and pictures (printed): its windows live on Wine's
# own desktop, as no window manager runs under Xvfb (without one, Wine waits two seconds for
# every window it hides). The batch runs keep the plain prefix above.
window_prefix()
{
    local prefix="$BUILD_DIR/wine-window"
    if [ ! -f "$prefix/system.reg" ]; then
        mkdir -p "$prefix"
        echo "Creating the Wine prefix $prefix" >&2
        WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1 </dev/null
        WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
            >/dev/null 2>&1
        WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
            /d 800x600 /f >/dev/null 2>&1
        WINEPREFIX="$prefix" wineserver -w
    fi
    echo "$prefix"
}
