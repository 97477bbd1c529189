#pragma once

#include "diagnosis/RunContext.h"

extern const char* const SystemAccountLine;

void RunDiagnosisPass(RunContext& context);
