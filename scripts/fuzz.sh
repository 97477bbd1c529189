#!/bin/sh
# Open-ended fuzzing: builds the platform-free core for this machine and runs each libFuzzer
# target for SECONDS (default 600) on a copy of its corpus, with a seed of libFuzzer's choosing.
# Its verdict depends on the machine's speed and on chance, so the test command never runs it.
# A finding's input and log are kept in build/host/findings (CONTRIBUTING.md says what next).
#   sh scripts/fuzz.sh [SECONDS] [TARGET...]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/host"
SECONDS_PER_TARGET=${1:-600}
[ $# -gt 0 ] && shift
cd "$ROOT"

# The masker's target also fails an input that takes longer to mask than this many milliseconds
# of processor time: far above what a linear pass needs, far below a scan that starts again.
export VLD_FUZZ_MASK_MS="${VLD_FUZZ_MASK_MS:-50}"
. scripts/fuzz-targets.sh
host_build
[ $# -gt 0 ] && FUZZ_TARGETS="$*"
fuzz_all "$SECONDS_PER_TARGET"
echo "Fuzzing found nothing in $SECONDS_PER_TARGET s per target."
