#!/bin/sh
# Speed and size figures of the Doctor (see scripts/benchmark.py). Needs about 2.5 GiB of disk
# in build/ while it runs: the two trace logs grown to TRACE_GIB (default 1) each.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR="$ROOT/build/win64"
cd "$ROOT"
sh scripts/ensure-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target VLDoctor VLDoctorCom VLSample VLBareStart >"$BUILD_DIR/bench-build.log" 2>&1 || {
    cat "$BUILD_DIR/bench-build.log" >&2
    exit 2
}
. scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
VLD_BIN="$BUILD_DIR/bin" VLD_BENCH_OUT="$BUILD_DIR" python3 scripts/benchmark.py
