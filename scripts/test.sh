#!/bin/sh
# Builds everything and runs every test: the Windows build under Wine on its own X display.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR="$ROOT/build/win64"
cd "$ROOT"

sh scripts/ensure-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64

. scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
ctest --preset win64 "$@"
