#!/bin/sh
# Builds the platform-free core for this machine with clang, runs its unit tests under the
# address and undefined-behaviour sanitizers, then runs each fuzz target over its corpus in
# fuzz/corpus and a fixed number of further inputs from FUZZ_SEED (default 1), so that one commit
# gives one verdict on every machine (the number per target in scripts/fuzz-targets.sh, or
# FUZZ_RUNS for all). Any sanitizer report, failed test or fuzz
# finding fails the script; a finding's input is kept in build/host/findings.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/host"
FUZZ_SEED=${FUZZ_SEED:-1}
cd "$ROOT"

sh scripts/ensure-deps.sh

cmake -S host -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TMPDIR="$BUILD/tmp"
rm -rf "$TMPDIR"
mkdir -p "$TMPDIR"

echo "== Sanitizer unit tests"
"$BUILD/host_tests" --gtest_brief=1

. scripts/fuzz-targets.sh
# The same inputs on every machine: a fixed number of runs from a fixed seed after the whole
# corpus, every finding ever kept among it. Open-ended fuzzing by time is scripts/fuzz.sh.
fuzz_all fixed "$FUZZ_SEED"
rm -rf "$TMPDIR"
echo "Host tests and fuzzing passed."
