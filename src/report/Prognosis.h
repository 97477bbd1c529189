#pragma once

#include "diagnosis/RunContext.h"

// String-table ids of the two prognosis texts: what the Doctor found, and what to do.
struct Prognosis {
    unsigned diagnosisId;
    unsigned adviceId;
};

Prognosis PrognosisFor(const AnalysisResult& result);
const char* PrognosisName(const Prognosis& prognosis);
