#!/bin/sh
# Signs VLDoctor.exe and VLDoctor.com, or the Windows Installer package (Authenticode, SHA-256),
# in place with the vendor's certificate and key, optionally with an RFC 3161 time stamp. The
# certificate and key are never kept in the repository: pass them as arguments or in the environment.
#
#   sh scripts/sign.sh --cert CERT.pem --key KEY.pem [--pass-file FILE] [--timestamp URL] [FILE...]
#   sh scripts/sign.sh --pkcs12 VENDOR.pfx [--pass-file FILE] [--timestamp URL] [FILE...]
#
# Environment instead of arguments: VLD_SIGN_CERT, VLD_SIGN_KEY, VLD_SIGN_PKCS12,
# VLD_SIGN_PASS_FILE (a file holding the key's password), VLD_TIMESTAMP_URL.
# Without FILE it signs both programs in build/win64/bin: do that before cpack, then sign the
# package cpack made (FILE.msi); a FILE.sha256 beside a FILE is written anew for the signed FILE.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)

CERT=${VLD_SIGN_CERT:-}
KEY=${VLD_SIGN_KEY:-}
PKCS12=${VLD_SIGN_PKCS12:-}
PASS_FILE=${VLD_SIGN_PASS_FILE:-}
TIMESTAMP_URL=${VLD_TIMESTAMP_URL:-}

usage() {
    sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

while [ $# -gt 0 ]; do
    case $1 in
        --cert) CERT=$2; shift 2 ;;
        --key) KEY=$2; shift 2 ;;
        --pkcs12) PKCS12=$2; shift 2 ;;
        --pass-file) PASS_FILE=$2; shift 2 ;;
        --timestamp) TIMESTAMP_URL=$2; shift 2 ;;
        -h|--help) usage ;;
        --) shift; break ;;
        -*) echo "sign.sh: unknown option $1" >&2; usage ;;
        *) break ;;
    esac
done
if [ $# -eq 0 ]; then
    set -- "$ROOT/build/win64/bin/VLDoctor.exe" "$ROOT/build/win64/bin/VLDoctor.com"
fi

if [ -z "$PKCS12" ] && { [ -z "$CERT" ] || [ -z "$KEY" ]; }; then
    echo "sign.sh: give --cert and --key, or --pkcs12" >&2
    usage
fi
command -v osslsigncode >/dev/null || {
    echo "sign.sh: osslsigncode is missing (apt-get install osslsigncode)" >&2
    exit 1
}

# sign_program IN OUT: one Authenticode signature with the given credentials.
sign_program() {
    input=$1
    output=$2
    if [ -n "$PKCS12" ]; then
        set -- -pkcs12 "$PKCS12"
    else
        set -- -certs "$CERT" -key "$KEY"
    fi
    [ -n "$PASS_FILE" ] && set -- "$@" -readpass "$PASS_FILE"
    [ -n "$TIMESTAMP_URL" ] && set -- "$@" -ts "$TIMESTAMP_URL"
    osslsigncode sign "$@" -h sha256 -n "Velmont Doctor" -in "$input" -out "$output"
}

for program in "$@"; do
    [ -f "$program" ] || { echo "sign.sh: no such file: $program" >&2; exit 1; }
    if ! sign_program "$program" "$program.signed" >"$program.sign.log" 2>&1; then
        cat "$program.sign.log" >&2
        rm -f "$program.signed" "$program.sign.log"
        exit 1
    fi
    mv "$program.signed" "$program"
    rm -f "$program.sign.log"
    if [ -f "$program.sha256" ]; then
        (cd "$(dirname "$program")" && sha256sum "$(basename "$program")") >"$program.sha256"
    fi
    echo "Signed $program"
done
