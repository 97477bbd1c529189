#pragma once

#include "diagnosis/Finding.h"
#include "diagnosis/RunContext.h"

// How each of the three stages came out: a stage that never ran (an earlier one stopped the
// diagnosis) is not checked, which its code alone, 0, cannot tell from "fine"; a stage that ran
// without reaching all it names (no installation folder to find the product files in) is partly
// checked. A stage is a problem when its code is not 0 or one of its findings is an error or a
// warning, whatever its code says.
enum class StageState { Ok, Problem, NotChecked, PartlyChecked };

// What the run as a whole comes to, one meaning per exit code: a run that did not diagnose the
// product of the user who uses it (not installed for this account, or run as the local system
// account) is neither healthy nor a problem found in it.
enum class RunState { Healthy, Problems, NotDiagnosed };

StageState StateOf(const RunContext& run, FindingStage stage);
const char* StageStateName(StageState state);
RunState StateOfRun(const RunContext& run);
const char* RunStateName(RunState state);
