#!/usr/bin/env bash
# Converts every golden sample and large generated inputs with the Windows build (under Wine) and
# with the Linux build, and compares every output, design.css and the rewritten color.txt byte
# for byte, as well as the code page tables of both builds. Runs as a Japanese user would: a
# Japanese locale, a folder with Japanese characters, file names with a space.
# Called by build-windows.sh; WIN_BUILD_DIR and LINUX_BUILD_DIR may name the build folders.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${WIN_BUILD_DIR:-$ROOT/build-win}"
LINUX_DIR="${LINUX_BUILD_DIR:-$ROOT/build}"
LARGE_BYTES="${COMPARE_BYTES:-2000000}"

source "$ROOT/scripts/packages.sh"
install_packages --no-install-recommends "${WINDOWS_PACKAGES[@]}"
source "$ROOT/scripts/wine.sh"
ensure_japanese_locale
export LANG=ja_JP.UTF-8

# The Linux build of the program and of the table dump (configured by setup.sh when missing).
if [ ! -f "$LINUX_DIR/build.ninja" ]; then
    (BUILD_DIR="$LINUX_DIR" SETUP_TESTS=1 source "$ROOT/scripts/setup.sh")
fi
cmake --build "$LINUX_DIR" --target corvina corvina_codepage_dump >/dev/null

BASE="$BUILD_DIR/compare"
WORK="$BASE/比較 作業"
rm -rf "$BASE"
mkdir -p "$WORK/入力"
FAILED=0
fail() { echo "compare-windows: $*" >&2; FAILED=1; }
# A path as the Windows program sees it.
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }

# Code page tables.
"$LINUX_DIR/tests/corvina_codepage_dump" "$BASE/codepage-linux.txt"
wine "$BUILD_DIR/tests/corvina_codepage_dump.exe" "$(winpath "$BASE/codepage-windows.txt")"
cmp "$BASE/codepage-linux.txt" "$BASE/codepage-windows.txt" || fail "code page tables differ"

# Inputs: every golden sample, and large generated ones per lexer family.
g++ -O2 -std=c++20 -o "$BASE/makeinput" "$ROOT/bench/Makeinput.cpp"
CASES=()
for dir in "$ROOT"/tests/golden/*/; do
    code="$(basename "$dir")"
    for f in "$dir"Sample.*; do
        case "$f" in *.tokens | *.html) continue ;; esac
        name="見本 $code.${f##*.}"
        cp "$f" "$WORK/入力/$name"
        CASES+=("$code|$name")
    done
done
# Unicode inputs: golden samples in UTF-8 (with and without a mark) and UTF-16 (with a mark and
# without), and characters beyond code page 932: surrogate pairs, Hangul, accents, tabs after them.
for code in vc7 del tsq vb7; do
    for f in "$ROOT"/tests/golden/"$code"/Sample.*; do
        case "$f" in *.tokens | *.html) continue ;; esac
        ext="${f##*.}"
        utf8="$WORK/入力/UTF-8 $code.$ext"
        iconv -c -f CP932 -t UTF-8 "$f" >"$utf8" || true
        { printf '\xEF\xBB\xBF'; cat "$utf8"; } >"$WORK/入力/UTF-8 BOM $code.$ext"
        { printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE "$utf8"; } >"$WORK/入力/UTF-16LE $code.$ext"
        iconv -f UTF-8 -t UTF-16BE "$utf8" >"$WORK/入力/UTF-16BE $code.$ext"
        for form in "UTF-8" "UTF-8 BOM" "UTF-16LE" "UTF-16BE"; do
            CASES+=("$code|$form $code.$ext")
        done
    done
done
printf '// 𠮷野家\t😀\tx\n화\tx = "é\u0301";\t/* 〜 */\n' >"$WORK/入力/絵文字 vc7.c"
CASES+=("vc7|絵文字 vc7.c")
for code in vc7 cs7 java vb7 del tsq txt; do
    name="大きな 入力 $code.src"
    "$BASE/makeinput" family "$LARGE_BYTES" "$WORK/入力/$name" "$code" >/dev/null
    CASES+=("$code|$name")
done
"$BASE/makeinput" repeat "$LARGE_BYTES" "$WORK/入力/繰り返し bcb.cpp" "$ROOT/tests/golden/bcb/Sample.cpp" \
    >/dev/null
CASES+=("bcb|繰り返し bcb.cpp")
# A large UTF-8 input: lexed on a thread of its own, as the large code page 932 ones.
iconv -c -f CP932 -t UTF-8 "$WORK/入力/繰り返し bcb.cpp" >"$WORK/入力/繰り返し UTF-8 bcb.cpp" || true
CASES+=("bcb|繰り返し UTF-8 bcb.cpp")

# Program folders: the shipped data, with a color.txt in LF line ends that the runs rewrite.
for sys in linux windows; do
    mkdir -p "$WORK/$sys/プログラム フォルダー" "$WORK/$sys/出力"
    cp "$ROOT"/data/* "$WORK/$sys/プログラム フォルダー/"
    tr -d '\r' <"$ROOT/data/color.txt" >"$WORK/$sys/プログラム フォルダー/color.txt"
done
LINUX_EXE="$WORK/linux/プログラム フォルダー/corvina"
WINDOWS_EXE="$WORK/windows/プログラム フォルダー/corvina.exe"
cp "$LINUX_DIR/corvina" "$LINUX_EXE"
cp "$BUILD_DIR/corvina.exe" "$WINDOWS_EXE"

linux_s=0
windows_s=0
for c in "${CASES[@]}"; do
    code="${c%%|*}"
    name="${c#*|}"
    in="$WORK/入力/$name"
    t0=$(date +%s%N)
    "$LINUX_EXE" "$code" "$in" "$WORK/linux/出力/$name.html" 2>"$BASE/linux.err" ||
        fail "Linux run failed: $code $name: $(cat "$BASE/linux.err")"
    t1=$(date +%s%N)
    wine "$WINDOWS_EXE" "$code" "$(winpath "$in")" "$(winpath "$WORK/windows/出力/$name.html")" \
        2>"$BASE/windows.err" </dev/null ||
        fail "Windows run failed: $code $name: $(iconv -f CP932 -t UTF-8 "$BASE/windows.err")"
    t2=$(date +%s%N)
    linux_s=$((linux_s + t1 - t0))
    windows_s=$((windows_s + t2 - t1))
    cmp "$WORK/linux/出力/$name.html" "$WORK/windows/出力/$name.html" ||
        fail "outputs differ: $code $name"
    case "$name" in
    見本*)
        cmp "$WORK/windows/出力/$name.html" "$ROOT/tests/golden/$code/Sample.${name##*.}.html" ||
            fail "Windows output differs from the golden file: $code"
        ;;
    esac
done
cmp "$WORK/linux/出力/design.css" "$WORK/windows/出力/design.css" || fail "design.css differs"
cmp "$WORK/linux/プログラム フォルダー/color.txt" "$WORK/windows/プログラム フォルダー/color.txt" ||
    fail "the rewritten color.txt differs"
cmp -s "$WORK/windows/プログラム フォルダー/color.txt" "$ROOT/data/color.txt" ||
    fail "color.txt was not rewritten in CR LF"

# A failure: the same message and status; the Windows one in code page 932 with CR LF.
set +e
"$LINUX_EXE" txt "$WORK/入力/無い ファイル.c" "$WORK/linux/出力/x.html" 2>"$BASE/linux.err"
linux_status=$?
wine "$WINDOWS_EXE" txt "$(winpath "$WORK/入力/無い ファイル.c")" \
    "$(winpath "$WORK/windows/出力/x.html")" 2>"$BASE/windows.err" </dev/null
windows_status=$?
set -e
[ "$linux_status" = 1 ] && [ "$windows_status" = 1 ] ||
    fail "a missing input gives status $linux_status on Linux, $windows_status on Windows"
iconv -f CP932 -t UTF-8 "$BASE/windows.err" | sed 's/\r$//' >"$BASE/windows.err.txt"
cmp "$BASE/linux.err" "$BASE/windows.err.txt" || fail "the error messages differ"

if [ "$FAILED" != 0 ]; then
    exit 1
fi
echo "Windows and Linux agree on ${#CASES[@]} inputs, design.css, color.txt and the code page" \
    "tables (conversions: Linux $((linux_s / 1000000)) ms, Windows under Wine" \
    "$((windows_s / 1000000)) ms)"
