# Sourced by scripts/host-tests.sh and scripts/fuzz.sh: runs each libFuzzer target of build/host
# on a copy of its corpus in fuzz/corpus/<target>, with the libFuzzer options the caller passes.
# Needs BUILD set by the caller; a finding's input and log are kept in $BUILD/findings.
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

# fuzz_all DESCRIPTION LIBFUZZER-OPTION... : each target, its corpus copied to a scratch folder so
# that what the run adds stays out of the tree. Answers 1 when any target found something.
fuzz_all() {
    description=$1
    shift
    scratch="$BUILD/fuzz-scratch"
    rm -rf "$scratch" "$BUILD/findings"
    mkdir -p "$scratch" "$BUILD/findings"
    failed=""
    for target in $FUZZ_TARGETS; do
        echo "== Fuzzing $target: $description"
        corpus="$scratch/corpus-$target"
        mkdir -p "$corpus"
        cp "$ROOT"/fuzz/corpus/"$target"/* "$corpus"/
        log="$BUILD/findings/$target.log"
        if "$BUILD/fuzz_$target" "$@" -max_len="$(fuzz_max_len "$target")" \
            -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
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
