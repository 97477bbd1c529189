#!/bin/sh
# Builds the Doctor, lays a sample Velmont installation into the build tree's private Wine prefix
# and prints the Doctor's report of it. The sample is "healthy" unless a variant is named, as the
# first argument or in SAMPLE; "list" shows the variants. Exits with the Doctor's exit code.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR="$ROOT/build/win64"
VARIANT=${1:-${SAMPLE:-healthy}}
cd "$ROOT"

sh scripts/ensure-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target VLDoctor VLSample >"$BUILD_DIR/report-build.log" 2>&1 || {
    cat "$BUILD_DIR/report-build.log" >&2
    exit 2
}

. scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start

# Wine programs write into files here, never into a pipe (see the platform notes).
OUT="$BUILD_DIR/report"
mkdir -p "$OUT"
cd "$BUILD_DIR/bin"
if [ "$VARIANT" = list ]; then
    wine VLSample.exe /? >"$OUT/variants.txt" 2>&1 </dev/null
    cat "$OUT/variants.txt"
    exit 0
fi
if ! wine VLSample.exe "$VARIANT" >"$OUT/sample.txt" 2>&1 </dev/null; then
    cat "$OUT/sample.txt" >&2
    exit 2
fi
status=0
wine VLDoctor.exe /report >"$OUT/report.txt" 2>"$OUT/errors.txt" </dev/null || status=$?
cat "$OUT/report.txt" "$OUT/errors.txt"
exit $status
