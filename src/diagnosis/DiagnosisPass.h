#pragma once

#include "diagnosis/RunContext.h"

void RunDiagnosisPass(RunContext& context);
