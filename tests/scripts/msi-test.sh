#!/bin/sh
# The Windows Installer package: built by the release command, its tables read with msitools,
# then installed, upgraded to a newer package made here, refused as a downgrade and removed with
# Wine's msiexec in the project's prefix, which it leaves as it found it.
# Needs the Wine environment of scripts/wine-env.sh and a built tree: msi-test.sh [BUILD_DIR]
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=${1:-$ROOT/build/win64}
WORK="$BUILD_DIR/msi-test"
DRIVE_C="$WINEPREFIX/drive_c"
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
rm -rf "$WORK"
mkdir -p "$WORK"

fail() {
    printf 'msi-test: %s\n' "$*" >&2
    exit 1
}

windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

# The version resource of a program as binutils reads it: "FILEVERSION a.b", then its texts.
version_resource() {
    x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null |
        sed -n 's/^ FILEVERSION \([0-9]*\), \([0-9]*\), 0, 0$/FILEVERSION \1.\2/p
                s/^ *VALUE "\([A-Za-z]*\)", "\(.*\)"$/\1=\2/p'
}

resource_text() { # FILE NAME
    version_resource "$1" | sed -n "s/^$2=//p"
}

property() { # PACKAGE NAME: a row of the Property table
    msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' -v name="$2" '$1 == name { print $2 }'
}

registry_value() { # KEY NAME
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# msiexec PACKAGE-OR-CODE LOG ACTION: Wine's msiexec, silent and logged; answers its exit code.
# A Unix exit status keeps only the low 8 bits of it (1603 would read 67): a batch file writes
# the whole code to a file.
printf '@msiexec %%*\r\n@>"%%~dp0exit-code.txt" echo %%ERRORLEVEL%%\r\n' >"$WORK/msiexec.cmd"
msiexec() {
    rm -f "$WORK/exit-code.txt"
    wine cmd /c "$(windows_path "$WORK/msiexec.cmd")" "/$3" "$1" /qn /l*v "$(windows_path "$2")" \
        </dev/null >/dev/null 2>&1 || true
    tr -d '\r ' <"$WORK/exit-code.txt" 2>/dev/null || echo none
}

# Everything an installation of the package may touch: program and Start-menu folders, the
# installer's cache, and the registry of installed products, each value after its key's path.
# Empty keys are left out, and so is the installer's cache folder itself: the first installation
# in a new prefix leaves the installer's own empty containers (Installer\Products,
# Installer\UpgradeCodes, windows\Installer) behind, none of them the package's.
snapshot() {
    (cd "$DRIVE_C" && {
        find "Program Files" ProgramData/Microsoft/Windows/Start\ Menu \
            users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu 2>/dev/null
        find windows/Installer -mindepth 1 2>/dev/null
    } | sort)
    for key in "$UNINSTALL" 'HKLM\Software\Microsoft\Windows\CurrentVersion\Installer' \
        'HKLM\Software\Classes\Installer' 'HKCU\Software\Microsoft\Installer'; do
        wine reg query "$key" /s 2>/dev/null | tr -d '\r' |
            awk '/^HKEY/ { path = $0; next } path && NF && $1 != "InstallDate" { print path " ::" $0 }'
    done
}

# The same without the installer's record of the place it was run from (its source list and
# InstallSource), which every run of a package renews: what a repeated or refused run may not
# change.
product_state() {
    snapshot | awk '!index($0, "\\SourceList") && !index($0, " ::    InstallSource ")'
}

build_package() { # VERSION PROGRAM-DIR OUTPUT, by hand as the release command does
    cmake -DVLD_MSI_VERSION="$1" -DVLD_MSI_PROGRAMS="$2" -DVLD_MSI_OUTPUT="$3" \
        -P "$ROOT/packaging/BuildMsi.cmake" >"$3.log" 2>&1 || fail "BuildMsi failed: $(cat "$3.log")"
}

# The Doctor's entries in the uninstall list: one product code per line.
doctor_entries() {
    wine reg query "$UNINSTALL" /s 2>/dev/null | tr -d '\r' | awk -v name="$PRODUCT_NAME" '
        /^HKEY/ { key = $0 }
        $1 == "DisplayName" && substr($0, index($0, "REG_SZ") + 10) == name {
            sub(/.*\\/, "", key); print key }'
}

# The release command makes the package beside the zip.
(cd "$ROOT" && cpack --preset win64 -B "$WORK/release") >"$WORK/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$WORK/cpack.log")"
VERSION=$(version_resource "$BUILD_DIR/bin/VLDoctor.exe" | sed -n 's/^FILEVERSION //p')
PUBLISHER=$(resource_text "$BUILD_DIR/bin/VLDoctor.exe" CompanyName)
PRODUCT_NAME=$(resource_text "$BUILD_DIR/bin/VLDoctor.exe" ProductName)
OLD="$WORK/release/VLDoctor-$VERSION-x64.msi"
[ -f "$OLD" ] || fail "no package VLDoctor-$VERSION-x64.msi: $(ls "$WORK/release")"
[ -f "$WORK/release/VLDoctor-$VERSION-win64.zip" ] || fail "the zip is not beside the package"
(cd "$WORK/release" && sha256sum -c "VLDoctor-$VERSION-x64.msi.sha256" >/dev/null) ||
    fail "the package's SHA-256 sum does not match"

# Its tables: the programs' version, per machine, 64-bit components, the programs' own
# publisher and support address.
[ "$(property "$OLD" ProductVersion)" = "$VERSION" ] ||
    fail "ProductVersion $(property "$OLD" ProductVersion), the programs are $VERSION"
[ "$(property "$OLD" ProductName)" = "$PRODUCT_NAME" ] || fail "ProductName is not $PRODUCT_NAME"
[ "$(property "$OLD" Manufacturer)" = "$PUBLISHER" ] || fail "Manufacturer is not $PUBLISHER"
[ "$(property "$OLD" ALLUSERS)" = 1 ] || fail "the package does not install per machine"
msiinfo suminfo "$OLD" | grep -q '^Template: x64;' || fail "the package is not a 64-bit package"
msiinfo export "$OLD" Component | tr -d '\r' | awk -F '\t' 'NR > 3 && !(int($4 / 256) % 2)' |
    grep . && fail "components above are not 64-bit"
SUPPORT=$(property "$OLD" ARPCONTACT)
case $SUPPORT in *@*) ;; *) fail "no support address in the package: '$SUPPORT'" ;; esac
grep -q -a -F "$SUPPORT" "$BUILD_DIR/bin/VLDoctor.exe" || fail "$SUPPORT is not the Doctor's address"
mkdir -p "$WORK/extracted"
msiextract -C "$WORK/extracted" "$OLD" >/dev/null
for program in VLDoctor.exe VLDoctor.com; do
    found=$(find "$WORK/extracted" -name "$program")
    cmp -s "$found" "$BUILD_DIR/bin/$program" || fail "the package's $program is not the build's"
done

# Two builds of the same programs are the same package, byte for byte.
build_package "$VERSION" "$BUILD_DIR/bin" "$WORK/again.msi"
cmp -s "$OLD" "$WORK/again.msi" ||
    fail "two builds of the same programs differ (msiinfo suminfo, msidump -t show where)"

# A newer package: the same programs and source with only the version one higher.
NEW_VERSION="${VERSION%.*}.$((${VERSION#*.} + 1))"
mkdir -p "$WORK/newer"
for program in VLDoctor.exe VLDoctor.com; do
    python3 "$ROOT/tests/scripts/restamp-version.py" "$BUILD_DIR/bin/$program" \
        "$WORK/newer/$program" "$NEW_VERSION"
done
NEW="$WORK/VLDoctor-$NEW_VERSION-x64.msi"
build_package "$NEW_VERSION" "$WORK/newer" "$NEW"
OLD_CODE=$(property "$OLD" ProductCode)
NEW_CODE=$(property "$NEW" ProductCode)
[ "$OLD_CODE" != "$NEW_CODE" ] || fail "both versions have the product code $OLD_CODE"

# Installing: never over a Doctor someone installed in this prefix, and always removed again.
[ -z "$(doctor_entries)" ] && [ ! -e "$DRIVE_C/Program Files/Tessaly/Velmont Doctor" ] ||
    fail "the prefix $WINEPREFIX already holds a Velmont Doctor: uninstall it first"
snapshot >"$WORK/before.txt"
remove_both() {
    for code in "$OLD_CODE" "$NEW_CODE"; do
        msiexec "$code" "$WORK/cleanup.log" x >/dev/null
    done
}
trap remove_both EXIT
trap 'exit 1' INT TERM

INSTALLED="$DRIVE_C/Program Files/Tessaly/Velmont Doctor"
# installed VERSION PROGRAM-DIR CODE: the programs of PROGRAM-DIR with their version, the
# shortcut, and one uninstall entry, CODE's.
installed() {
    for program in VLDoctor.exe VLDoctor.com; do
        cmp -s "$INSTALLED/$program" "$2/$program" || fail "$program is not the one of $1"
        [ "$(version_resource "$INSTALLED/$program" | sed -n 's/^FILEVERSION //p')" = "$1" ] &&
            [ "$(resource_text "$INSTALLED/$program" FileVersion)" = "$1" ] ||
            fail "the installed $program has not the version $1"
        [ "$(resource_text "$INSTALLED/$program" OriginalFilename)" = "$program" ] ||
            fail "the installed $program is another program"
    done
    menu=$(tr -d '\r' <"$WORK/install-$1.log" | sed -n 's/^Property(S): ProgramMenuFolder = //p' |
        tail -n 1 | sed 's|^C:\\|'"$DRIVE_C"'/|' | tr '\\' /)
    shortcut="$menu/$PRODUCT_NAME.lnk"
    [ -f "$shortcut" ] || fail "no shortcut '$PRODUCT_NAME' in the Start menu ($menu)"
    grep -q -a -F 'C:\Program Files\Tessaly\Velmont Doctor\VLDoctor.exe' "$shortcut" ||
        fail "the shortcut does not start the installed VLDoctor.exe"
    [ "$(doctor_entries)" = "$3" ] || fail "uninstall entries: $(doctor_entries), not $3 alone"
    entry="$UNINSTALL\\$3"
    [ "$(registry_value "$entry" DisplayVersion)" = "$1" ] || fail "the entry's version is not $1"
    [ "$(registry_value "$entry" Publisher)" = "$PUBLISHER" ] || fail "the entry has no publisher"
    [ "$(registry_value "$entry" Contact)" = "$SUPPORT" ] || fail "the entry has no support address"
}

code=$(msiexec "$(windows_path "$OLD")" "$WORK/install-$VERSION.log" i)
[ "$code" = 0 ] || fail "installing $VERSION answered $code (log: $WORK/install-$VERSION.log)"
installed "$VERSION" "$BUILD_DIR/bin" "$OLD_CODE"
product_state >"$WORK/installed.txt"

code=$(msiexec "$(windows_path "$OLD")" "$WORK/again-$VERSION.log" i)
[ "$code" = 0 ] || fail "installing $VERSION again answered $code"
product_state | diff "$WORK/installed.txt" - >"$WORK/again.diff" ||
    fail "installing $VERSION again changed: $(cat "$WORK/again.diff")"

# Another build of the same version (its programs one byte longer) is the same product: Windows
# Installer refuses it (1638; Wine's answers 0) and nothing changes.
mkdir -p "$WORK/rebuilt"
for program in VLDoctor.exe VLDoctor.com; do
    (cat "$BUILD_DIR/bin/$program" && printf '\0') >"$WORK/rebuilt/$program"
done
build_package "$VERSION" "$WORK/rebuilt" "$WORK/rebuilt.msi"
code=$(msiexec "$(windows_path "$WORK/rebuilt.msi")" "$WORK/rebuilt-$VERSION.log" i)
[ "$code" = 0 ] || [ "$code" = 1638 ] || fail "another build of $VERSION answered $code"
product_state | diff "$WORK/installed.txt" - >"$WORK/rebuilt.diff" ||
    fail "another build of $VERSION changed: $(cat "$WORK/rebuilt.diff")"

code=$(msiexec "$(windows_path "$NEW")" "$WORK/install-$NEW_VERSION.log" i)
[ "$code" = 0 ] || fail "upgrading to $NEW_VERSION answered $code"
installed "$NEW_VERSION" "$WORK/newer" "$NEW_CODE"
product_state >"$WORK/upgraded.txt"

# The older package over the newer one: refused, nothing changed. Wine's installer logs no
# launch condition's text, so the message is read from the package: the condition that stops
# it names the property its Upgrade table sets for any newer version.
code=$(msiexec "$(windows_path "$OLD")" "$WORK/downgrade.log" i)
[ "$code" = 1603 ] || fail "installing $VERSION over $NEW_VERSION answered $code, not 1603"
newer=$(msiinfo export "$OLD" Upgrade | tr -d '\r' | awk -F '\t' -v version="$VERSION" '
    NR > 3 && $2 == version && $3 == "" && int($5 / 2) % 2 { print $7 }')
grep -q -F "Property(S): $newer = $NEW_CODE" "$WORK/downgrade.log" ||
    fail "the older package did not see $NEW_VERSION as newer"
msiinfo export "$OLD" LaunchCondition | tr -d '\r' |
    awk -F '\t' -v property="$newer" -v name="$PRODUCT_NAME" '
        NR > 3 && $1 == "NOT " property && index($2, name)' | grep -q . ||
    fail "no launch condition refuses a downgrade with a message"
product_state | diff "$WORK/upgraded.txt" - >"$WORK/downgrade.diff" ||
    fail "the refused downgrade changed: $(cat "$WORK/downgrade.diff")"

code=$(msiexec "$(windows_path "$NEW")" "$WORK/uninstall.log" x)
[ "$code" = 0 ] || fail "uninstalling answered $code"
snapshot | diff "$WORK/before.txt" - >"$WORK/uninstall.diff" ||
    fail "uninstalling left: $(cat "$WORK/uninstall.diff")"
trap - EXIT
echo "msi-test: built, installed, upgraded, downgrade refused, removed"
