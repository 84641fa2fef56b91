#!/usr/bin/env bash
# The Debian packages each script needs, by purpose, and the one function that installs them.
# Sourced by the other scripts: demo.sh needs only BUILD_PACKAGES.

# Building and running the program, the window included (Qt's own texts in Japanese).
BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic)
# The tests (GoogleTest; the window's tests run on Qt's offscreen platform).
TEST_PACKAGES=(libgtest-dev)
# scripts/bench.sh: Google Benchmark and /usr/bin/time for peak memory.
BENCH_PACKAGES=(libbenchmark-dev time)
# scripts/bench.sh --peers: the other highlighters it times.
PEER_PACKAGES=(python3-pygments source-highlight highlight libkf5syntaxhighlighting-tools)
# scripts/fuzz.sh: clang with libFuzzer.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# scripts/screenshot.sh: a virtual X server and a screen grabber.
SCREENSHOT_PACKAGES=(xvfb xauth x11-apps imagemagick)
# scripts/build-windows.sh: the mingw-w64 cross compiler, GoogleTest's sources, Wine (64-bit) to
# run the tests, the Japanese locale's sources, zip for the download and unzip to check it.
WINDOWS_PACKAGES=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix googletest wine wine64 locales zip
    unzip)

# Installs the packages that are missing (as root; otherwise prints the command and fails).
# Recommended packages come along, as on the machines the program is tested on, unless the first
# argument is --no-install-recommends (Wine's recommendations are a desktop's worth).
install_packages()
{
    local options=()
    if [ "${1:-}" = --no-install-recommends ]; then
        options+=("$1")
        shift
    fi
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq "${options[@]}" "${missing[@]}" >/dev/null
    else
        echo "Missing packages. Run:"
        echo "  sudo apt-get install -y ${missing[*]}"
        return 1
    fi
}
