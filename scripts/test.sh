#!/bin/sh
# Builds everything and runs every test: the Windows build under Wine on its own X display,
# every sample variant's JSON against its schema, the Windows Installer package under Wine's
# msiexec, the signing script on copies of the programs and the package,
# then the platform-free core under the sanitizers and the fuzzers (scripts/host-tests.sh).
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
# Every sample variant's JSON against the published schema.
sh tests/scripts/json-schema-test.sh "$BUILD_DIR"
# The Windows Installer package, installed, upgraded and removed in the prefix.
sh tests/scripts/msi-test.sh "$BUILD_DIR"
wine_env_stop
trap - EXIT

sh tests/scripts/sign-test.sh "$BUILD_DIR"

# The platform-free core built for this machine: sanitizer tests, then each fuzz target.
sh scripts/host-tests.sh
