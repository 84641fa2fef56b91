#!/usr/bin/env bash
# Times whole batch runs of a release build on large deterministic inputs, one per lexer family:
# MB/s of input (median of RUNS runs) and peak memory; then linearity, long lines and large
# settings files, the escape-only floor and, with --peers, other highlighters on the C++ input.
#   scripts/bench.sh [--peers] [--micro]      (--micro also runs the Google Benchmark program)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BENCH_BUILD_DIR:-$ROOT/build-bench}"
RUNS="${RUNS:-5}"
SIZE="${BENCH_BYTES:-9000000}"
PEERS=0
MICRO=0
for arg in "$@"; do
    case "$arg" in
    --peers) PEERS=1 ;;
    --micro) MICRO=1 ;;
    *) echo "unknown option $arg" >&2; exit 2 ;;
    esac
done

source "$ROOT/scripts/packages.sh"
install_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVINA_BENCH=ON \
    -DCORVINA_TESTS=OFF ${BENCH_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" --target corvina corvina_makeinput escape_floor corvina_bench >/dev/null

WORK="$BUILD/bench-work"
rm -rf "$WORK"
mkdir -p "$WORK"
MAKEINPUT="$BUILD/bench/corvina_makeinput"

# now in nanoseconds
now() { date +%s%N; }

# run_timed NAME COMMAND...: runs COMMAND RUNS times; sets MEDIAN_NS and PEAK_KB.
run_timed() {
    local times=() peak=0 t0 t1 kb
    for ((r = 0; r < RUNS; r++)); do
        t0=$(now)
        /usr/bin/time -f "%M" -o "$WORK/time.txt" "$@" >/dev/null 2>"$WORK/stderr.txt" || {
            echo "failed: $*" >&2; cat "$WORK/stderr.txt" >&2; return 1; }
        t1=$(now)
        times+=($((t1 - t0)))
        kb=$(tail -1 "$WORK/time.txt")
        ((kb > peak)) && peak=$kb
    done
    MEDIAN_NS=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((RUNS + 1) / 2))p")
    PEAK_KB=$peak
}

mbps() { awk -v b="$1" -v ns="$2" 'BEGIN { printf "%.1f", b / 1e6 / (ns / 1e9) }'; }
bytes() { stat -c %s "$1"; }

# The sample of a code's golden folder, if another engineer has written it.
sample_of() {
    local f
    for f in "$ROOT"/tests/golden/"$1"/Sample.*; do
        case "$f" in *.tokens | *.html) continue ;; esac
        [ -f "$f" ] && { echo "$f"; return; }
    done
}

make_input() { # CODE OUT BYTES
    local sample
    sample="$(sample_of "$1")"
    if [ -n "$sample" ]; then
        "$MAKEINPUT" repeat "$3" "$2" "$sample"
        echo "golden sample"
    else
        "$MAKEINPUT" family "$3" "$2" "$1"
        echo "generated"
    fi
}

# corvina_run CODE INPUT [PROGRAM]: times a batch run; the build folder is the program folder.
corvina_run() {
    local exe="${3:-$BUILD/corvina}"
    run_timed "$exe" "$1" "$2" "$WORK/out.html"
    OUT_BYTES=$(bytes "$WORK/out.html")
}

report() { # LABEL INPUT
    local in out limit
    in=$(bytes "$2")
    out=$OUT_BYTES
    limit=$(((4 * (in + out)) / 1024))
    printf '%-28s %7.1f MB  %8s MB/s  peak %6d MB  (limit %d MB)\n' "$1" \
        "$(awk -v b="$in" 'BEGIN { print b / 1e6 }')" "$(mbps "$in" "$MEDIAN_NS")" \
        $((PEAK_KB / 1024)) $((limit / 1024))
}

echo "Corvina batch runs, median of $RUNS, $(nproc) cores"
: >"$WORK/empty-input"
corvina_run vc7 "$WORK/empty-input"
printf 'start-up alone (empty input): %d ms, peak %d MB\n' $((MEDIAN_NS / 1000000)) $((PEAK_KB / 1024))
families=("vc7 C++" "cs7 C#" "vb7 Basic" "del Delphi" "psq PL/SQL" "tsq T-SQL" "txt plain")
for entry in "${families[@]}"; do
    code="${entry%% *}"
    name="${entry#* }"
    how=$(make_input "$code" "$WORK/in-$code" "$SIZE")
    corvina_run "$code" "$WORK/in-$code"
    report "$name ($code, $how)" "$WORK/in-$code"
    [ "$code" = vc7 ] && CPP_NS=$MEDIAN_NS
done

echo
echo "Linearity and shapes (C++ lexer)"
make_input vc7 "$WORK/small" $((SIZE / 10)) >/dev/null
corvina_run vc7 "$WORK/small"
SMALL_NS=$MEDIAN_NS
report "1/10 of the C++ input" "$WORK/small"
awk -v s="$SMALL_NS" -v l="$CPP_NS" 'BEGIN { printf "ten times the input takes %.2f times as long (limit 11)\n", l / s }'
"$MAKEINPUT" oneline 10000000 "$WORK/oneline"
corvina_run vc7 "$WORK/oneline"
report "one line of 10 MB" "$WORK/oneline"
"$MAKEINPUT" emptylines 1000000 "$WORK/empty"
corvina_run vc7 "$WORK/empty"
report "one million empty lines" "$WORK/empty"

echo
echo "Large settings files (C++ input, copy of the program folder)"
PROG="$WORK/progdir"
mkdir -p "$PROG"
cp "$BUILD/corvina" "$BUILD"/*.txt "$BUILD"/*.css "$BUILD"/*.key "$BUILD"/*.ope "$BUILD"/*.sp? "$PROG"/ 2>/dev/null || true
corvina_run vc7 "$WORK/in-vc7" "$PROG/corvina"
BASE_NS=$MEDIAN_NS
"$MAKEINPUT" keylist 100000 "$PROG/vc7.key"
cat "$BUILD/vc7.key" >>"$PROG/vc7.key" 2>/dev/null || true
corvina_run vc7 "$WORK/in-vc7" "$PROG/corvina"
awk -v b="$BASE_NS" -v n="$MEDIAN_NS" 'BEGIN { printf "vc7.key of 100,000 entries: %+.1f%% (limit +20%%)\n", (n / b - 1) * 100 }'
cp "$BUILD/vc7.key" "$PROG/vc7.key" 2>/dev/null || rm -f "$PROG/vc7.key"
"$MAKEINPUT" escapes 1000 "$PROG/escape.txt"
corvina_run vc7 "$WORK/in-vc7" "$PROG/corvina"
awk -v b="$BASE_NS" -v n="$MEDIAN_NS" 'BEGIN { printf "escape.txt of 1,000 lines: %+.1f%% (limit +20%%)\n", (n / b - 1) * 100 }'

echo
run_timed "$BUILD/bench/escape_floor" "$WORK/in-vc7" "$WORK/floor.html"
FLOOR_NS=$MEDIAN_NS
printf 'escape-only floor: %s MB/s (Corvina on the same input: %s MB/s)\n' \
    "$(mbps "$(bytes "$WORK/in-vc7")" "$FLOOR_NS")" "$(mbps "$(bytes "$WORK/in-vc7")" "$CPP_NS")"

if [ "$PEERS" = 1 ]; then
    need=()
    command -v pygmentize >/dev/null || need+=(python3-pygments)
    command -v source-highlight >/dev/null || need+=(source-highlight)
    command -v highlight >/dev/null || need+=(highlight)
    if [ ${#need[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
    fi
    echo
    echo "Other highlighters on the C++ input (median of ${PEER_RUNS:-1}; ratio = their time / Corvina's)"
    in="$WORK/in-vc7"
    inbytes=$(bytes "$in")
    save_runs=$RUNS
    RUNS=${PEER_RUNS:-1}
    peer() { # NAME COMMAND...
        local name="$1"
        shift
        run_timed "$@"
        printf '%-18s %8s MB/s  peak %6d MB  ratio %.1f\n' "$name" "$(mbps "$inbytes" "$MEDIAN_NS")" \
            $((PEAK_KB / 1024)) "$(awk -v p="$MEDIAN_NS" -v c="$CPP_NS" 'BEGIN { print p / c }')"
    }
    peer pygmentize /usr/bin/pygmentize -l cpp -f html -O encoding=cp932 -o "$WORK/peer.html" "$in"
    peer source-highlight /usr/bin/source-highlight -s cpp -f html -i "$in" -o "$WORK/peer.html"
    peer highlight /usr/bin/highlight -S cpp -O html -i "$in" -o "$WORK/peer.html"
    RUNS=$save_runs
fi

if [ "$MICRO" = 1 ]; then
    echo
    "$BUILD/bench/corvina_bench" --benchmark_min_time=0.5
fi
