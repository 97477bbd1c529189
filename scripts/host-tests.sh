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

. scripts/fuzz-targets.sh
host_build

export TMPDIR="$BUILD/tmp"
rm -rf "$TMPDIR"
mkdir -p "$TMPDIR"

echo "== Sanitizer unit tests"
"$BUILD/host_tests" --gtest_brief=1

# The same inputs on every machine: a fixed number of runs from a fixed seed after the whole
# corpus, every finding ever kept among it. Open-ended fuzzing by time is scripts/fuzz.sh.
fuzz_all fixed "$FUZZ_SEED"
rm -rf "$TMPDIR"
echo "Host tests and fuzzing passed."
