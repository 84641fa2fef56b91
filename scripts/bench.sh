#!/usr/bin/env bash
# Times whole batch runs (start to exit) of a release build against the escape-only floor and,
# with --peers, against other highlighters. Every program runs once per round, the rounds
# alternate over all of them, and each figure is the median of its rounds, so that the load of a
# shared machine weighs on all of them alike; compare the ratios, not the absolute figures.
#   scripts/bench.sh [--peers] [--micro]      (--micro also runs the Google Benchmark program)
# Environment: RUNS (rounds, default 5), PEER_RUNS (rounds that include the peers, default 3),
# BENCH_BYTES (size of each family's input, default 9000000), BENCH_BUILD_DIR.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BENCH_BUILD_DIR:-$ROOT/build-bench}"
RUNS="${RUNS:-5}"
PEER_RUNS="${PEER_RUNS:-3}"
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
((PEER_RUNS > RUNS)) && PEER_RUNS=$RUNS

# Real inputs come from Debian packages: the C++ library headers and the Free Pascal sources.
CPP_PACKAGE=libstdc++-12-dev
CPP_SOURCES=/usr/include/c++/12
PASCAL_PACKAGE=fpc-source-3.2.2
PASCAL_SOURCES=/usr/share/fpcsrc/3.2.2/rtl
source "$ROOT/scripts/packages.sh"
packages=("${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" "$CPP_PACKAGE" "$PASCAL_PACKAGE")
((PEERS)) && packages+=("${PEER_PACKAGES[@]}")
install_packages "${packages[@]}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVINA_BENCH=ON \
    -DCORVINA_TESTS=OFF ${BENCH_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" --target corvina corvina_makeinput corvina_codes escape_floor corvina_bench >/dev/null

WORK="$BUILD/bench-work"
rm -rf "$WORK"
mkdir -p "$WORK"
MAKEINPUT="$BUILD/bench/corvina_makeinput"
FLOOR="$BUILD/bench/escape_floor"
CORVINA="$BUILD/corvina"

# The floor must itself be right, or the ratios to it mean nothing: each row is an input and the
# exact output (printf escapes) it must give.
floor_cases=(
    'a<b>&"c|a&#x3C;b&#x3E;&#x26;&#x22;c\r\n'
    'a\r\nb\nc\rd|a\r\nb\r\nc\r\nd\r\n'
    '\r\n\rb|\r\n\r\nb\r\n'
    '\n\r|\r\n\r\n'
    '|'
    'ab\r\n|ab\r\n'
    '\x95\x5c<\x81\x5c\\|\x95\x5c&#x3C;\x81\x5c\\\r\n'
    '\x81\n\x81|\x81\r\n\x81\r\n'
    'x\x00<y\n|x\r\n'
    '\n\x00<|\r\n'
    '<\x00|&#x3C;\r\n'
)
# The floor works in slices of 174,761 input bytes (what a 1 MB buffer holds at six bytes a byte):
# the same cases again behind a prefix that puts their first byte at the end of the first slice,
# and behind one that fills several buffers with references.
SLICE=174761
for prefix_of in "a $((SLICE - 1))" "< 600000"; do
    head -c "${prefix_of#* }" /dev/zero | tr '\0' "${prefix_of%% *}" >"$WORK/floor-prefix"
    sed 's/</\&#x3C;/g' "$WORK/floor-prefix" >"$WORK/floor-prefix-want"
    for row in "" "${floor_cases[@]}"; do
        if [ -z "$row" ]; then
            : >"$WORK/floor-in"
            : >"$WORK/floor-want"
        else
            printf "${row%%|*}" >"$WORK/floor-in"
            printf "${row#*|}" >"$WORK/floor-want"
        fi
        "$FLOOR" "$WORK/floor-in" "$WORK/floor-got"
        cmp -s "$WORK/floor-want" "$WORK/floor-got" || {
            echo "escape_floor gives a wrong result for input '${row%%|*}'" >&2; exit 1; }
        # Behind the prefix, the expected output's first line carries the prefix's output.
        cat "$WORK/floor-prefix" "$WORK/floor-in" >"$WORK/floor-in2"
        if [ -s "$WORK/floor-want" ]; then
            cat "$WORK/floor-prefix-want" "$WORK/floor-want" >"$WORK/floor-want2"
        else
            { cat "$WORK/floor-prefix-want"; printf '\r\n'; } >"$WORK/floor-want2"
        fi
        "$FLOOR" "$WORK/floor-in2" "$WORK/floor-got"
        cmp -s "$WORK/floor-want2" "$WORK/floor-got" || {
            echo "escape_floor gives a wrong result for input '${row%%|*}' behind" \
                "${prefix_of#* } times '${prefix_of%% *}'" >&2; exit 1; }
    done
done

bytes() { stat -c %s "$1"; }
version() { dpkg-query -W -f='${Version}' "$1"; }

# The sample of a code's golden folder, if there is one.
sample_of() {
    local f
    for f in "$ROOT"/tests/golden/"$1"/Sample.*; do
        case "$f" in *.tokens | *.html) continue ;; esac
        [ -f "$f" ] && { echo "$f"; return; }
    done
}

# concat_sources DIR BYTES OUT NAME-PATTERN...: the files under DIR whose names match, in byte
# order of their paths, concatenated and cut at BYTES.
concat_sources() {
    local dir="$1" size="$2" out="$3" find_args=() first=1 pattern
    shift 3
    for pattern in "$@"; do
        ((first)) || find_args+=(-o)
        find_args+=(-name "$pattern")
        first=0
    done
    # cat is cut off by head once it has enough: its broken pipe is expected.
    { find "$dir" -type f \( "${find_args[@]}" \) -print0 | LC_ALL=C sort -z |
        xargs -0 cat 2>/dev/null || true; } | head -c "$size" >"$out"
}

make_input() { # CODE OUT BYTES; prints where the input comes from
    local sample
    case "$1" in
    vc7)
        concat_sources "$CPP_SOURCES" "$3" "$2" '*'
        echo "$CPP_PACKAGE $(version "$CPP_PACKAGE") headers"
        return ;;
    del)
        concat_sources "$PASCAL_SOURCES" "$3" "$2" '*.pp' '*.pas' '*.inc'
        echo "$PASCAL_PACKAGE $(version "$PASCAL_PACKAGE") rtl"
        return ;;
    esac
    sample="$(sample_of "$1")"
    if [ -n "$sample" ]; then
        "$MAKEINPUT" repeat "$3" "$2" "$sample"
        echo "golden sample repeated"
    else
        "$MAKEINPUT" family "$3" "$2" "$1"
        echo "generated"
    fi
}

# The jobs: a name, the input it reads, the output it writes and its command line, fields
# separated by the unit separator so that paths may hold blanks. PEER jobs run in the first
# PEER_RUNS rounds only.
US=$'\x1f'
JOBS=()
declare -A JOB_IN JOB_OUT JOB_CMD JOB_PEER TIMES CPU PEAK
add_job() { # NAME INPUT OUTPUT IS-PEER COMMAND...
    local name="$1" IFS="$US"
    JOBS+=("$name")
    JOB_IN[$name]="$2"
    JOB_OUT[$name]="$3"
    JOB_PEER[$name]="$4"
    shift 4
    JOB_CMD[$name]="$*"
    TIMES[$name]=""
    CPU[$name]=""
    PEAK[$name]=0
}
corvina_job() { # NAME CODE INPUT [PROGRAM]; the program folder holds the settings files
    add_job "$1" "$3" "$WORK/out-$1.html" 0 "${4:-$CORVINA}" "$2" "$3" "$WORK/out-$1.html"
}
floor_job() { # NAME INPUT
    add_job "$1" "$2" "$WORK/out-$1.html" 0 "$FLOOR" "$2" "$WORK/out-$1.html"
}

# Times in nanoseconds from the shell's own microsecond clock: reading it starts no process, so
# timing costs little beside the floor's few milliseconds.
# The processor time (user and system, in ms) of all finished child processes, into CHILD_MS;
# the builtin runs in this shell, so no subshell may stand between it and the jobs.
child_ms() {
    local user sys
    times >"$WORK/times.txt"
    { read -r _; read -r user sys; } <"$WORK/times.txt"
    CHILD_MS=0
    for t in "$user" "$sys"; do # "1m2.345s"
        local m="${t%%m*}" sec="${t#*m}"
        sec="${sec%s}"
        CHILD_MS=$((CHILD_MS + 60000 * m + 10#${sec//./}))
    done
}
run_job() { # NAME: one timed run under /usr/bin/time, whose peak memory is kept
    local name="$1" cmd t0 t1 kb c0
    IFS="$US" read -ra cmd <<<"${JOB_CMD[$name]}"
    child_ms
    c0=$CHILD_MS
    t0=${EPOCHREALTIME//[!0-9]/}
    /usr/bin/time -f "%M" -o "$WORK/time.txt" "${cmd[@]}" >/dev/null 2>"$WORK/stderr.txt" || {
        echo "failed: ${cmd[*]}" >&2; cat "$WORK/stderr.txt" >&2; exit 1; }
    t1=${EPOCHREALTIME//[!0-9]/}
    child_ms
    TIMES[$name]+="$(((t1 - t0) * 1000)) "
    CPU[$name]+="$((CHILD_MS - c0)) "
    kb=$(tail -1 "$WORK/time.txt")
    ((kb > PEAK[$name])) && PEAK[$name]=$kb
    return 0
}
median() { # NUMBERS...
    printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"
}

# One family for every code the program knows, and plain text: "code caption" each.
mapfile -t families < <("$BUILD/bench/corvina_codes")
declare -A SOURCE
: >"$WORK/empty-input"
corvina_job start vc7 "$WORK/empty-input"
floor_job floor-start "$WORK/empty-input"
for entry in "${families[@]}"; do
    code="${entry%% *}"
    SOURCE[$code]=$(make_input "$code" "$WORK/in-$code" "$SIZE")
    floor_job "floor-$code" "$WORK/in-$code"
    corvina_job "$code" "$code" "$WORK/in-$code"
done

# Real text in both encodings: the C++ input with a Japanese comment on every fourth line, in
# code page 932 (without the few characters of the headers it lacks) and the same text in UTF-8.
awk 'NR % 4 == 0 { print $0 " // 配列の要素を先頭から順に調べ、境界（末尾）も含めて比べる"; next }
     { print }' "$WORK/in-vc7" | iconv -c -f UTF-8 -t CP932 >"$WORK/in-vc7-sjis" || true
iconv -f CP932 -t UTF-8 "$WORK/in-vc7-sjis" >"$WORK/in-vc7-utf8"
corvina_job vc7-sjis vc7 "$WORK/in-vc7-sjis"
corvina_job vc7-utf8 vc7 "$WORK/in-vc7-utf8"

# Shapes, each at two sizes ten times apart: the real C++ input, one long line, empty lines.
for ((i = 0; i < 10; i++)); do cat "$WORK/in-vc7"; done >"$WORK/in-vc7x10"
corvina_job vc7x10 vc7 "$WORK/in-vc7x10"
"$MAKEINPUT" oneline 5000000 "$WORK/line5"
"$MAKEINPUT" oneline 50000000 "$WORK/line50"
corvina_job line5 vc7 "$WORK/line5"
corvina_job line50 vc7 "$WORK/line50"
"$MAKEINPUT" emptylines 1000000 "$WORK/empty1m"
"$MAKEINPUT" emptylines 10000000 "$WORK/empty10m"
corvina_job empty1m vc7 "$WORK/empty1m"
corvina_job empty10m vc7 "$WORK/empty10m"

# Large settings files, in a copy of the program folder.
PROG="$WORK/progdir"
KEYS="$WORK/progkeys"
mkdir -p "$PROG" "$KEYS"
cp "$BUILD/corvina" "$BUILD"/*.txt "$BUILD"/*.css "$BUILD"/*.key "$BUILD"/*.ope "$BUILD"/*.sp? \
    "$PROG"/ 2>/dev/null || true
cp "$PROG"/* "$KEYS"/
"$MAKEINPUT" keylist 100000 "$KEYS/vc7.key"
cat "$BUILD/vc7.key" >>"$KEYS/vc7.key" 2>/dev/null || true
"$MAKEINPUT" escapes 1000 "$PROG/escape.txt"
corvina_job keylist vc7 "$WORK/in-vc7" "$KEYS/corvina"
corvina_job escapes vc7 "$WORK/in-vc7" "$PROG/corvina"

if ((PEERS)); then
    in="$WORK/in-vc7"
    out="$WORK/out-peer.html"
    add_job kate-syntax-highlighter "$in" "$out" 1 \
        /usr/bin/kate-syntax-highlighter -s C++ -f html -o "$out" "$in"
    add_job highlight "$in" "$out" 1 /usr/bin/highlight -S cpp -O html -i "$in" -o "$out"
    add_job source-highlight "$in" "$out" 1 \
        /usr/bin/source-highlight -s cpp -f html -i "$in" -o "$out"
    add_job pygmentize "$in" "$out" 1 \
        /usr/bin/pygmentize -l cpp -f html -O encoding=latin-1 -o "$out" "$in"
fi

for ((round = 0; round < RUNS; round++)); do
    for name in "${JOBS[@]}"; do
        ((JOB_PEER[$name] && round >= PEER_RUNS)) && continue
        run_job "$name"
    done
done
declare -A MED MEDCPU INB
for name in "${JOBS[@]}"; do
    # shellcheck disable=SC2086 # the lists are numbers separated by blanks
    MED[$name]=$(median ${TIMES[$name]})
    MEDCPU[$name]=$(median ${CPU[$name]})
    INB[$name]=$(bytes "${JOB_IN[$name]}")
done

# The targets, each checked as it is printed.
# Verdicts are printed from command substitutions, so they are counted in a file.
: >"$WORK/verdicts"
verdict() { # CONDITION-ON-x (an awk expression) VALUE
    local v=MISSED
    awk -v x="$2" "BEGIN { exit !($1) }" && v=holds
    echo "$v" >>"$WORK/verdicts"
    echo "$v"
}
mbps() { awk -v b="${INB[$1]}" -v ns="${MED[$1]}" 'BEGIN { printf "%.1f", b / 1e6 / (ns / 1e9) }'; }
ratio() { awk -v a="${MED[$1]}" -v b="${MED[$2]}" 'BEGIN { printf "%.2f", a / b }'; }
# The same from processor time, which the load of a shared machine moves less than wall time.
cpu_ratio() {
    awk -v a="${MEDCPU[$1]}" -v b="${MEDCPU[$2]}" 'BEGIN { if (b > 0) printf "%.2f", a / b
                                                           else printf "-" }'
}
mb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1e6 }'; }
# memory JOB: "peak MB / limit MB verdict"; the limit is four times input plus output
memory() {
    local out limit_kb
    out=$(bytes "${JOB_OUT[$1]}")
    limit_kb=$(((4 * (INB[$1] + out)) / 1024))
    printf '%5d / %5d MB %-6s' $((PEAK[$1] / 1024)) $((limit_kb / 1024)) \
        "$(verdict "x <= $limit_kb" "${PEAK[$1]}")"
}

echo "Corvina batch runs, whole run start to exit; $RUNS alternating rounds (peers in" \
    "$PEER_RUNS), medians; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg);" \
    "commit $(git -C "$ROOT" rev-parse --short HEAD 2>/dev/null || echo '?')"
echo "Targets are checked on wall time; \"cpu\" is the same ratio of user and system time."
ms() { awk -v ns="${MED[$1]}" 'BEGIN { printf "%.1f", ns / 1e6 }'; }
printf 'start-up alone (empty input): %s ms, cpu %s ms, peak %d MB (the floor on it: %s ms)\n' \
    "$(ms start)" "${MEDCPU[start]}" $((PEAK[start] / 1024)) "$(ms floor-start)"
echo
printf '%-30s %-42s %5s %6s %6s %-16s %5s %s\n' family input MB "MB/s" "floor" \
    "x floor (limit)" "cpu" "peak / limit"
for entry in "${families[@]}"; do
    code="${entry%% *}"
    limit=3.5
    [ "$code" = vc7 ] && limit=3
    r=$(ratio "$code" "floor-$code")
    printf '%-30s %-42s %5s %6s %6s %5s (%s) %-6s %5s %s\n' "${entry#* } $code" \
        "${SOURCE[$code]}" "$(mb "${INB[$code]}")" "$(mbps "$code")" "$(mbps "floor-$code")" \
        "$r" "$limit" "$(verdict "x <= $limit" "$r")" "$(cpu_ratio "$code" "floor-$code")" \
        "$(memory "$code")"
done

echo
r=$(ratio vc7-utf8 vc7-sjis)
printf 'C++ input with Japanese comments: code page 932 %s MB/s, UTF-8 %s MB/s (%s MB):' \
    "$(mbps vc7-sjis)" "$(mbps vc7-utf8)" "$(mb "${INB[vc7-utf8]}")"
printf ' UTF-8 x%s the time (limit 1.25) %s, cpu x%s\n' "$r" "$(verdict "x <= 1.25" "$r")" \
    "$(cpu_ratio vc7-utf8 vc7-sjis)"

echo
echo "Linear scaling: ten times the input, at most 11 times the time"
shape() { # LABEL SMALL LARGE
    local r
    r=$(ratio "$3" "$2")
    printf '%-32s %5s -> %5s MB %6s -> %6s MB/s  x%-5s %-6s cpu x%-5s %s\n' "$1" \
        "$(mb "${INB[$2]}")" "$(mb "${INB[$3]}")" "$(mbps "$2")" "$(mbps "$3")" "$r" \
        "$(verdict "x <= 11" "$r")" "$(cpu_ratio "$3" "$2")" "$(memory "$3")"
}
shape "C++ input, then 10 copies" vc7 vc7x10
shape "one line of 5 MB, then 50 MB" line5 line50
shape "1 million empty lines, then 10" empty1m empty10m

echo
echo "Large settings files (C++ input)"
printf 'vc7.key of 100,000 entries: %+.1f%%\n' "$(awk -v a="${MED[keylist]}" -v b="${MED[vc7]}" \
    'BEGIN { print (a / b - 1) * 100 }')"
printf 'escape.txt of 1,000 lines:  %+.1f%%\n' "$(awk -v a="${MED[escapes]}" -v b="${MED[vc7]}" \
    'BEGIN { print (a / b - 1) * 100 }')"

if ((PEERS)); then
    echo
    echo "Other highlighters on the C++ input (time / Corvina's; at least 20 for the fastest)"
    fastest=""
    for name in kate-syntax-highlighter highlight source-highlight pygmentize; do
        [ -z "$fastest" ] || ((MED[$name] < MED[$fastest])) && fastest=$name
        printf '%-24s %-20s %6s MB/s  peak %4d MB  x%-6s cpu x%s\n' "$name" \
            "$(version "$(dpkg -S "/usr/bin/$name" | cut -d: -f1)")" "$(mbps "$name")" \
            $((PEAK[$name] / 1024)) \
            "$(ratio "$name" vc7)" "$(cpu_ratio "$name" vc7)"
    done
    r=$(ratio "$fastest" vc7)
    printf 'fastest peer %s: x%s %s (cpu x%s)\n' "$fastest" "$r" "$(verdict "x >= 20" "$r")" \
        "$(cpu_ratio "$fastest" vc7)"
fi

echo
echo "targets: $(grep -c '^holds' "$WORK/verdicts" || true) hold," \
    "$(grep -c '^MISSED' "$WORK/verdicts" || true) missed"

if ((MICRO)); then
    echo
    "$BUILD/bench/corvina_bench" --benchmark_min_time=0.5
fi
