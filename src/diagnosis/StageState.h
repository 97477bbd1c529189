#pragma once

#include "diagnosis/Finding.h"
#include "diagnosis/RunContext.h"

// How each of the three stages came out: a stage that never ran (an earlier one stopped the
// diagnosis) is not checked, which its code alone, 0, cannot tell from "fine".
enum class StageState { Ok, Problem, NotChecked };

StageState StateOf(const AnalysisResult& result, FindingStage stage);
const char* StageStateName(StageState state);
