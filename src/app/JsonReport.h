#pragma once

#include "base/JsonWriter.h"
#include "diagnosis/RunContext.h"

// The run as one JSON document (UTF-8): the facts the checks gathered, the analysis result, the
// prognosis and the whole text report. Its fields are described in docs/json-report.md.
Str BuildJsonReport(const RunContext& run, const Str& reportText);
// The same document as one value of a larger one.
void WriteJsonReport(JsonWriter& json, const RunContext& run, const Str& reportText);
