#!/bin/sh
# Takes the README's screenshots: lays the healthy sample installation into the build's Wine
# prefix, runs VLDoctor.exe there under Wine's virtual desktop (so that the windows get their
# frames), runs one diagnosis and saves PNG pictures of the report dialog, the main window after
# the run, Help and About into docs/screenshots/.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR="$ROOT/build/win64"
OUT="$ROOT/docs/screenshots"
cd "$ROOT"

sh scripts/ensure-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target VLDoctor VLSample vlshots

. scripts/wine-env.sh
SHOTS=$(mktemp -d)
finish() {
    wine_env_stop
    rm -rf "$SHOTS"
}
trap finish EXIT
wine_env_start
(cd "$BUILD_DIR/bin" && wine VLSample.exe healthy >"$SHOTS/sample.log" 2>&1 </dev/null) || {
    cat "$SHOTS/sample.log" >&2
    exit 1
}

SHOTS_WIN=$(winepath -w "$SHOTS")
PROGRAM_WIN=$(winepath -w "$BUILD_DIR/bin/VLDoctor.exe")
wine "$BUILD_DIR/bin/vlshots.exe" "$PROGRAM_WIN" "$SHOTS_WIN" >"$SHOTS/vlshots.log" 2>&1 </dev/null || {
    cat "$SHOTS/vlshots.log" >&2
    echo "screenshots: the program could not be driven" >&2
    exit 1
}
mkdir -p "$OUT"
for name in main-window report-dialog help-dialog about-dialog; do
    python3 tools/bmp2png.py "$SHOTS/$name.bmp" "$OUT/$name.png"
    echo "wrote docs/screenshots/$name.png"
done
