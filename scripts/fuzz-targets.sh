# Sourced by scripts/host-tests.sh and scripts/fuzz.sh: builds the platform-free core in
# build/host and runs each libFuzzer target on a copy of its corpus in fuzz/corpus/<target>.
# Needs ROOT and BUILD set by the caller; a finding's input and log are kept in $BUILD/findings.

# The core, its tests and the fuzz targets, built with clang under the sanitizers.
host_build() {
    sh "$ROOT/scripts/ensure-deps.sh"
    cmake -S "$ROOT/host" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build "$BUILD"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
}
FUZZ_TARGETS="CompareVersion CredentialMask Format ParseInt Split TailScanner VersionResource"

# Longest input per target: the tail needs lines beyond 2046 bytes, Format texts beyond 8191,
# the version resource search whole images.
fuzz_max_len() {
    case "$1" in
    TailScanner) echo 12000 ;;
    Format) echo 20000 ;;
    VersionResource) echo 8192 ;;
    *) echo 4096 ;;
    esac
}

# fuzz_all corpus       every target over its corpus, each input once and nothing more
# fuzz_all SECONDS      every target for SECONDS, from a seed of libFuzzer's choosing
# Answers 1 when any target found something.
fuzz_all() {
    scratch="$BUILD/fuzz-scratch"
    rm -rf "$scratch" "$BUILD/findings"
    mkdir -p "$scratch" "$BUILD/findings"
    failed=""
    for target in $FUZZ_TARGETS; do
        # The corpus run's verdict must not hang on the machine's speed: only an input that
        # takes minutes, a hang on any machine, counts as a timeout there. No input is made up:
        # libFuzzer's choices after the corpus follow the addresses it sees compared and the
        # order in which the file system lists the corpus, so even a fixed seed gives another run
        # on another clone.
        if [ "$1" = corpus ]; then
            limit="-runs=0 -timeout=120"
        else
            limit="-max_total_time=$1 -timeout=10"
        fi
        echo "== Fuzzing $target: $limit"
        corpus="$scratch/corpus-$target"
        mkdir -p "$corpus"
        cp "$ROOT"/fuzz/corpus/"$target"/* "$corpus"/
        log="$BUILD/findings/$target.log"
        # shellcheck disable=SC2086 # $limit holds several options
        if "$BUILD/fuzz_$target" $limit -max_len="$(fuzz_max_len "$target")" \
            -rss_limit_mb=1024 -print_final_stats=1 \
            -artifact_prefix="$BUILD/findings/$target-" "$corpus" >"$log" 2>&1; then
            grep -E "^stat::number_of_executed_units" "$log" || true
        else
            echo "FUZZ FINDING in $target: see $log and $BUILD/findings/" >&2
            tail -n 40 "$log" >&2
            failed="$failed $target"
        fi
    done
    rm -rf "$scratch"
    if [ -n "$failed" ]; then
        echo "Fuzz targets with findings:$failed" >&2
        return 1
    fi
    return 0
}
