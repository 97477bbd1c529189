#pragma once

#include "diagnosis/RunContext.h"

// The run as one JSON document (UTF-8): the facts the checks gathered, the analysis result, the
// prognosis and the whole text report. Its fields are described in docs/json-report.md.
Str BuildJsonReport(const RunContext& run, const Str& reportText);
