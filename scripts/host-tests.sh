#!/bin/sh
# Builds the platform-free core for this machine with clang, runs its unit tests under the
# address and undefined-behaviour sanitizers, then runs each fuzz target for FUZZ_SECONDS
# (default 30) on a copy of its corpus in fuzz/corpus. Any sanitizer report, failed test or
# fuzz finding fails the script; a finding's input is kept in build/host/findings.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/host"
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
cd "$ROOT"

sh scripts/ensure-deps.sh

cmake -S host -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TMPDIR="$BUILD/tmp"
rm -rf "$TMPDIR" "$BUILD/findings"
mkdir -p "$TMPDIR" "$BUILD/findings"

echo "== Sanitizer unit tests"
"$BUILD/host_tests" --gtest_brief=1

# Longest input per target: the tail needs lines beyond 2046 bytes, Format texts beyond 8191,
# the version resource search whole images.
max_len() {
    case "$1" in
    TailScanner) echo 12000 ;;
    Format) echo 20000 ;;
    VersionResource) echo 8192 ;;
    *) echo 4096 ;;
    esac
}

failed=""
for target in CompareVersion CredentialMask Format ParseInt Split TailScanner VersionResource; do
    echo "== Fuzzing $target for $FUZZ_SECONDS s"
    corpus="$TMPDIR/corpus-$target"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp fuzz/corpus/"$target"/* "$corpus"/
    log="$BUILD/findings/$target.log"
    if "$BUILD/fuzz_$target" -max_total_time="$FUZZ_SECONDS" -max_len="$(max_len "$target")" \
        -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="$BUILD/findings/$target-" "$corpus" >"$log" 2>&1; then
        grep -E "^stat::number_of_executed_units" "$log" || true
    else
        echo "FUZZ FINDING in $target: see $log and $BUILD/findings/" >&2
        tail -n 40 "$log" >&2
        failed="$failed $target"
    fi
done
rm -rf "$TMPDIR"
if [ -n "$failed" ]; then
    echo "Fuzz targets with findings:$failed" >&2
    exit 1
fi
echo "Host tests and fuzzing passed."
