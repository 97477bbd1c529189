#!/bin/sh
# Signs copies of both programs and a Windows Installer package of them with scripts/sign.sh and
# a certificate made for this run only, then checks each signature against that certificate and
# the package's SHA-256 sum. No time-stamp server: it stays offline.
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=${1:-$ROOT/build/win64}
WORK="$BUILD_DIR/sign-test"
rm -rf "$WORK"
mkdir -p "$WORK/unsigned"

fail() {
    echo "sign-test: $*" >&2
    exit 1
}

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Velmont Doctor test signer" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$WORK/key.pem" -out "$WORK/cert.pem" \
    >"$WORK/openssl.log" 2>&1 || fail "openssl could not make the certificate"
cp "$BUILD_DIR/bin/VLDoctor.exe" "$BUILD_DIR/bin/VLDoctor.com" "$WORK/unsigned/"
cmake -DVLD_MSI_VERSION=1.0 -DVLD_MSI_PROGRAMS="$WORK/unsigned" \
    -DVLD_MSI_OUTPUT="$WORK/unsigned/VLDoctor.msi" -P "$ROOT/packaging/BuildMsi.cmake" \
    >"$WORK/msi.log" 2>&1 || fail "the package was not built: $(cat "$WORK/msi.log")"
cp "$WORK/unsigned/"* "$WORK/"
(cd "$WORK" && sha256sum VLDoctor.msi >VLDoctor.msi.sha256)

VLD_SIGN_CERT="$WORK/cert.pem" VLD_SIGN_KEY="$WORK/key.pem" \
    sh "$ROOT/scripts/sign.sh" "$WORK/VLDoctor.exe" "$WORK/VLDoctor.com" "$WORK/VLDoctor.msi" \
    >"$WORK/sign.log" 2>&1 || fail "sign.sh failed: $(cat "$WORK/sign.log")"

for file in VLDoctor.exe VLDoctor.com VLDoctor.msi; do
    cmp -s "$WORK/unsigned/$file" "$WORK/$file" && fail "$file was left unsigned"
    osslsigncode verify -CAfile "$WORK/cert.pem" -in "$WORK/$file" >"$WORK/verify.log" 2>&1 ||
        fail "$file: $(cat "$WORK/verify.log")"
    grep -q "Velmont Doctor test signer" "$WORK/verify.log" ||
        fail "$file is not signed by the test certificate"
    # SHA-1 signatures are refused by current Windows; the digest must be SHA-256.
    grep -q "^Message digest algorithm *: SHA256" "$WORK/verify.log" ||
        fail "$file is not signed with SHA-256: $(grep "digest algorithm" "$WORK/verify.log")"
done
(cd "$WORK" && sha256sum -c VLDoctor.msi.sha256 >/dev/null 2>&1) ||
    fail "the package's SHA-256 sum is that of the unsigned package"
echo "sign-test: both programs and the package signed and verified"
