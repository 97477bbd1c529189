#!/bin/sh
# Lays each sample variant, has the console companion write its /json, and validates every
# document against the published schema (docs/json-report.schema.json, draft 2020-12) with a real
# validator. Runs inside the Wine environment of scripts/wine-env.sh; any failure is loud.
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=${1:-$ROOT/build/win64}
WORK="$BUILD_DIR/json-schema-test"
SCHEMA="$ROOT/docs/json-report.schema.json"
rm -rf "$WORK"
mkdir -p "$WORK"

fail() {
    echo "json-schema-test: $*" >&2
    exit 1
}

cd "$BUILD_DIR/bin"
# Wine programs write into files, never into a pipe (see the platform notes).
wine VLSample.exe /? >"$WORK/variants.txt" 2>&1 </dev/null || true
VARIANTS=$(sed -n 's/^  \([a-z0-9-]*\) .*/\1/p' "$WORK/variants.txt" | grep -v '^clean$')
[ -n "$VARIANTS" ] || fail "no sample variants in: $(cat "$WORK/variants.txt")"

for variant in $VARIANTS; do
    wine VLSample.exe "$variant" >"$WORK/sample.txt" 2>&1 </dev/null ||
        fail "cannot lay the sample '$variant': $(cat "$WORK/sample.txt")"
    status=0
    wine VLDoctor.com /json "Z:$WORK/$variant.json" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt" \
        </dev/null || status=$?
    [ "$status" -le 3 ] && [ "$status" != 2 ] || fail "$variant: exit code $status"
done
wine VLSample.exe clean >/dev/null 2>&1 </dev/null || true

python3 - "$SCHEMA" $(for v in $VARIANTS; do echo "$WORK/$v.json"; done) <<'PYTHON'
import json
import sys

from jsonschema import Draft202012Validator

schema = json.load(open(sys.argv[1], encoding="utf-8"))
Draft202012Validator.check_schema(schema)
validator = Draft202012Validator(schema)
failures = 0
for path in sys.argv[2:]:
    with open(path, "rb") as file:
        data = file.read()
    if data.startswith(b"\xef\xbb\xbf"):
        print(f"{path}: starts with a byte-order mark", file=sys.stderr)
        failures += 1
        continue
    for error in validator.iter_errors(json.loads(data.decode("utf-8"))):
        where = "/".join(str(part) for part in error.absolute_path)
        print(f"{path}: /{where}: {error.message}", file=sys.stderr)
        failures += 1
print(f"json-schema-test: {len(sys.argv) - 2} documents, {failures} failures")
sys.exit(1 if failures else 0)
PYTHON
