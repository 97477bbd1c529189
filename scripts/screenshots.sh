#!/bin/sh
# Takes the README's screenshots: lays the healthy sample installation into the build's Wine
# prefix, runs VLDoctor.exe there under Wine's virtual desktop (so that the windows get their
# frames), runs one diagnosis and saves PNG pictures of the report dialog, the main window after
# the run, Help and About into docs/screenshots/, and the report dialog once more in high
# contrast with its link focused; then the main window once more at 144 DPI, and the report
# dialog of the missing-file sample with its findings.
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

# Wine reads the screen's DPI from the prefix's registry when a program starts.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
}

# take_shots FOLDER: every picture of one run, at the DPI set before.
take_shots() {
    mkdir -p "$1"
    wine "$BUILD_DIR/bin/vlshots.exe" "$(winepath -w "$BUILD_DIR/bin/VLDoctor.exe")" \
        "$(winepath -w "$1")" >"$1/vlshots.log" 2>&1 </dev/null || {
        cat "$1/vlshots.log" >&2
        echo "screenshots: the program could not be driven" >&2
        exit 1
    }
}

set_dpi 96
take_shots "$SHOTS/96"
set_dpi 144
take_shots "$SHOTS/144"
set_dpi 96
(cd "$BUILD_DIR/bin" && wine VLSample.exe missing-file >"$SHOTS/sample.log" 2>&1 </dev/null) || {
    cat "$SHOTS/sample.log" >&2
    exit 1
}
take_shots "$SHOTS/missing-file"
(cd "$BUILD_DIR/bin" && wine VLSample.exe clean >/dev/null 2>&1 </dev/null) || true
mkdir -p "$OUT"
for name in main-window report-dialog help-dialog about-dialog report-dialog-high-contrast; do
    python3 tools/bmp2png.py "$SHOTS/96/$name.bmp" "$OUT/$name.png"
    echo "wrote docs/screenshots/$name.png"
done
python3 tools/bmp2png.py "$SHOTS/144/main-window.bmp" "$OUT/main-window-144dpi.png"
echo "wrote docs/screenshots/main-window-144dpi.png"
python3 tools/bmp2png.py "$SHOTS/missing-file/report-dialog.bmp" \
    "$OUT/report-dialog-missing-file.png"
echo "wrote docs/screenshots/report-dialog-missing-file.png"
