#pragma once

#include "diagnosis/RunContext.h"

// String-table ids of the two prognosis texts: what the Doctor found, and what to do.
struct Prognosis {
    unsigned diagnosisId;
    unsigned adviceId;
};

Prognosis PrognosisFor(const AnalysisResult& result);
const char* PrognosisName(const Prognosis& prognosis);
// The name programs read for the run: the texts' name, but never "healthy" for a run that is not.
const char* PrognosisNameOf(const RunContext& run);
