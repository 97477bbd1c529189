#!/bin/sh
# Lays each sample variant, has the console companion write its /json and its /json /users, and
# validates every document against the published schema (docs/json-report.schema.json, draft
# 2020-12) with a real validator. Runs inside the Wine environment of scripts/wine-env.sh; any
# failure is loud.
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
    # The same state over every user of the machine: the document with users.
    status=0
    wine VLDoctor.com /json /users "Z:$WORK/$variant.users.json" >"$WORK/stdout.txt" \
        2>"$WORK/stderr.txt" </dev/null || status=$?
    [ "$status" -le 3 ] && [ "$status" != 2 ] || fail "$variant /users: exit code $status"
done
wine VLSample.exe clean >/dev/null 2>&1 </dev/null || true

# The healthy sample first: the contract checks below amend its document. The documents over
# every user follow the one-user ones.
VARIANTS="healthy $(echo "$VARIANTS" | grep -v '^healthy$')"
python3 - "$SCHEMA" $(for v in $VARIANTS; do echo "$WORK/$v.json"; done) \
    $(for v in $VARIANTS; do echo "$WORK/$v.users.json"; done) <<'PYTHON'
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

# The contract with tomorrow's Doctor: a consumer validating against this schema accepts values
# added within the schema version (a new finding id, stage, stage state or prognosis name), and
# still rejects what the contract rules out (a malformed id, a new severity, a line with a CR).
def amended(change):
    document = json.loads(open(sys.argv[2], encoding="utf-8").read())
    change(document)
    return document

def future_values(document):
    document["findings"].append({"id": "files.signature-invalid", "stage": "files",
                                 "severity": "warning", "title": "A future check",
                                 "evidence": {}, "fix": "A future fix."})
    document["findings"].append({"id": "network.share-unreachable", "stage": "network",
                                 "severity": "error", "title": "A future stage",
                                 "evidence": {}, "fix": "A future fix."})
    document["stages"]["files"] = "timed-out"
    document["prognosis"]["name"] = "network-share"

def bad_id(document):
    document["findings"][0]["id"] = "Files.Product File"

def new_severity(document):
    document["findings"][0]["severity"] = "critical"

def files_id_in_another_stage(document):
    document["findings"][0]["stage"] = "files"

def line_with_cr(document):
    document["traceLogs"][0]["lines"][0] += "\r60%"

def negative_code(document):
    document["productFiles"][0] = {"path": "C:\\x", "error": "x", "errorCode": -1073741819}

expected = [(future_values, True), (bad_id, False), (new_severity, False),
            (files_id_in_another_stage, False), (line_with_cr, False), (negative_code, False)]
for change, valid in expected:
    if validator.is_valid(amended(change)) != valid:
        print(f"json-schema-test: {change.__name__} is {'not ' if valid else ''}valid",
              file=sys.stderr)
        failures += 1
print(f"json-schema-test: {len(sys.argv) - 2} documents, {failures} failures")
sys.exit(1 if failures else 0)
PYTHON

# The Ansible recipe's jq command, as docs/fleet.md prints it, on every variant's document over
# every user: one line per user's finding with its computer, account, the user's state,
# severity, id and fix, and one per profile not read, errors before warnings before what is only
# worth knowing.
sed -n '/^<!-- fleet-jq -->$/,/^```$/p' "$ROOT/docs/fleet.md" | sed '1,2d;$d' >"$WORK/fleet-jq.sh"
[ -s "$WORK/fleet-jq.sh" ] || fail "no fleet-jq block in docs/fleet.md"
mkdir -p "$WORK/reports"
for variant in $VARIANTS; do cp "$WORK/$variant.users.json" "$WORK/reports/"; done
(cd "$WORK" && sh ./fleet-jq.sh) >"$WORK/fleet-jq.txt" || fail "the fleet-jq command failed"
python3 - "$WORK/fleet-jq.txt" "$WORK"/reports/*.json <<'PYTHON'
import json
import re
import sys

rank = {"error": 0, "warning": 1, "info": 2}
lines = open(sys.argv[1], encoding="utf-8").read().splitlines()
documents = [json.load(open(path, encoding="utf-8")) for path in sys.argv[2:]]
def user_rows(document, user):
    if "report" not in user:
        return [(0, document["computer"], user["account"], "not-read", "error",
                 "doctor.profile-not-read", user["error"])]
    report = user["report"]
    return [(rank[f["severity"]], document["computer"], user["account"], report["state"],
             f["severity"], f["id"], f["fix"]) for f in report["findings"]]

expected = sorted(row for d in documents for u in d["users"] for row in user_rows(d, u))
def unescaped(field):  # as jq's @tsv escapes a field
    escapes = {"\\\\": "\\", "\\t": "\t", "\\n": "\n", "\\r": "\r"}
    return re.sub(r"\\[\\tnr]", lambda m: escapes[m.group(0)], field)

rows = [tuple(unescaped(field) for field in line.split("\t")) for line in lines]
ranks = [rank[row[3]] for row in rows if len(row) == 6]
problems = []
if sorted((rank[r[3]],) + r for r in rows if len(r) == 6) != expected or len(rows) != len(expected):
    problems.append(f"{len(rows)} lines for {len(expected)} findings, or fields that differ")
if ranks != sorted(ranks):
    problems.append("severities out of order: " + " ".join(row[3] for row in rows))
for problem in problems:
    print(f"json-schema-test: fleet-jq: {problem}", file=sys.stderr)
print(f"json-schema-test: fleet-jq: {len(rows)} findings")
sys.exit(1 if problems else 0)
PYTHON
