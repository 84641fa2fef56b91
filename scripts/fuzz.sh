#!/usr/bin/env bash
# Builds the libFuzzer target with clang into build-fuzz/ and fuzzes the lexer-to-HTML path for
# SECONDS (default 60), starting from tests/fuzz/corpus and the golden samples. Inputs that break a
# check are left in build-fuzz/ as crash-*; copy them into tests/fuzz/corpus once fixed.
# FUZZ_RELEASE=1 builds without assertions into build-fuzz-release/: the lexers then take the
# shortcuts a release build ships, checked against their one-character reference token by token.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_TO_RUN="${1:-60}"
RELEASE="${FUZZ_RELEASE:-0}"
if [ "$RELEASE" = 1 ]; then
    BUILD="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz-release}"
    FLAGS="-O2 -g -DNDEBUG"
else
    BUILD="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
    FLAGS="-O2 -g"
fi
JOBS="${FUZZ_JOBS:-1}"

source "$ROOT/scripts/packages.sh"
install_packages "${FUZZ_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

# Assertions stay on unless asked: they check the lexer's own shortcuts against the full rules.
CC=clang CXX=clang++ cmake -S "$ROOT/tests/fuzz" -B "$BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$FLAGS" >/dev/null
cmake --build "$BUILD"

# Seeds: the regression corpus, and each golden sample with the shipped word lists in the layout
# of Fuzzcheck.h (code byte; source, escape.txt, .key, .sp1, .sp2, .sp3, .ope split by two zeros).
SEEDS="$BUILD/seeds"
WORK="$BUILD/corpus"
rm -rf "$SEEDS"
mkdir -p "$SEEDS" "$WORK"
cp "$ROOT"/tests/fuzz/corpus/* "$SEEDS"/
mapfile -t codes < <("$BUILD/corvina_fuzz_codes")
for i in "${!codes[@]}"; do
    code="${codes[$i]}"
    for sample in "$ROOT"/tests/golden/"$code"/Sample.*; do
        [ -f "$sample" ] || continue
        case "$sample" in *.tokens | *.html) continue ;; esac
        {
            printf "\\x$(printf %02x "$i")"
            # Keep seeds small: libFuzzer mutates short inputs best.
            head -c 3000 "$sample"
            for list in escape.txt "$code.key" "$code.sp1" "$code.sp2" "$code.sp3" "$code.ope"; do
                printf '\0\0'
                [ -f "$ROOT/data/$list" ] && head -c 2000 "$ROOT/data/$list"
            done
        } >"$SEEDS/golden-$code"
    done
done

cd "$BUILD"
echo "Fuzzing for $SECONDS_TO_RUN s with $JOBS job(s)"
parallel=()
[ "$JOBS" -gt 1 ] && parallel=(-jobs="$JOBS" -workers="$JOBS")
"$BUILD/corvina_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len=8192 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 "${parallel[@]}" "$WORK" "$SEEDS"
