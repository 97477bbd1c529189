#pragma once

#include "app/CommandLine.h"
#include "diagnosis/RunContext.h"

class DoctorApp;

int RunReportMode(DoctorApp& app, const CommandLine& command);
// The exit code of a run, the same for every mode that diagnoses.
int ExitCodeFor(const RunContext& run);
