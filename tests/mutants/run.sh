#!/bin/sh
# Puts deliberate faults into the program one at a time and checks that the tests notice.
# Each *.patch here is a `git diff` of one realistic fault; its first line names the check:
#     Test: COMMAND
# run from the repository root with the Wine environment up (after an incremental build of the
# Windows programs, or of build/host for a COMMAND that starts with "host:"). A fault is caught
# when COMMAND fails. The patch is always reverted.
#     sh tests/mutants/run.sh [PATCH...]      (default: every patch here)
# Needs a tree built once by scripts/test.sh. Exits 1 if any fault went unnoticed.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR="$ROOT/build/win64"
cd "$ROOT"
. scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start || exit 2

build_for() {
    case "$1" in
    host:*) cmake --build build/host >/dev/null ;;
    *) cmake --build --preset win64 >/dev/null ;;
    esac
}

caught=0
missed=""
[ $# -gt 0 ] || set -- tests/mutants/*.patch
for patch in "$@"; do
    command=$(sed -n '1s/^Test: *//p' "$patch")
    if [ -z "$command" ] || ! git apply "$patch"; then
        echo "SKIPPED (no Test: line, or it does not apply): $patch" >&2
        missed="$missed $patch"
        continue
    fi
    if ! build_for "$command"; then
        # A fault the compiler rejects tests nothing: it counts against the patch.
        echo "DOES NOT BUILD: $patch"
        missed="$missed $patch"
    elif sh -c "${command#host:}" >"build/mutant.log" 2>&1; then
        echo "MISSED: $patch ($command)"
        missed="$missed $patch"
    else
        echo "caught: $patch"
        caught=$((caught + 1))
    fi
    git apply -R "$patch"
done
build_for "" >/dev/null 2>&1
build_for "host:" >/dev/null 2>&1
echo "$caught caught, $(echo $missed | wc -w) missed"
[ -z "$missed" ]
