#!/bin/sh
# Signs copies of both programs with scripts/sign.sh and a certificate made for this run only,
# then checks each signature against that certificate. No time-stamp server: it stays offline.
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=${1:-$ROOT/build/win64}
WORK="$BUILD_DIR/sign-test"
rm -rf "$WORK"
mkdir -p "$WORK"

fail() {
    echo "sign-test: $*" >&2
    exit 1
}

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Velmont Doctor test signer" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$WORK/key.pem" -out "$WORK/cert.pem" \
    >"$WORK/openssl.log" 2>&1 || fail "openssl could not make the certificate"
cp "$BUILD_DIR/bin/VLDoctor.exe" "$BUILD_DIR/bin/VLDoctor.com" "$WORK/"

VLD_SIGN_CERT="$WORK/cert.pem" VLD_SIGN_KEY="$WORK/key.pem" \
    sh "$ROOT/scripts/sign.sh" "$WORK/VLDoctor.exe" "$WORK/VLDoctor.com" >"$WORK/sign.log" 2>&1 ||
    fail "sign.sh failed: $(cat "$WORK/sign.log")"

for program in VLDoctor.exe VLDoctor.com; do
    cmp -s "$BUILD_DIR/bin/$program" "$WORK/$program" && fail "$program was left unsigned"
    osslsigncode verify -CAfile "$WORK/cert.pem" -in "$WORK/$program" >"$WORK/verify.log" 2>&1 ||
        fail "$program: $(cat "$WORK/verify.log")"
    grep -q "Velmont Doctor test signer" "$WORK/verify.log" ||
        fail "$program is not signed by the test certificate"
done
echo "sign-test: both programs signed and verified"
