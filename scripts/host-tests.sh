#!/bin/sh
# Builds the platform-free core for this machine with clang, runs its unit tests under the
# address and undefined-behaviour sanitizers, then runs each fuzz target over its corpus in
# fuzz/corpus, every input once, so that one commit gives one verdict on every machine. Any
# sanitizer report, failed test or fuzz finding fails the script; a finding's input is kept in
# build/host/findings.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/host"
cd "$ROOT"

. scripts/fuzz-targets.sh
host_build

export TMPDIR="$BUILD/tmp"
rm -rf "$TMPDIR"
mkdir -p "$TMPDIR"

echo "== Sanitizer unit tests"
"$BUILD/host_tests" --gtest_brief=1

# The same inputs on every machine: the corpus, every finding ever kept among it. Fuzzing that
# makes up new inputs is scripts/fuzz.sh.
fuzz_all corpus
rm -rf "$TMPDIR"
echo "Host tests and fuzzing passed."
