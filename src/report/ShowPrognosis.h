#pragma once

#include "diagnosis/RunContext.h"
#include "framework/Window.h"

// The "Doctor's Report" dialog for the analysis result of a run, shown modally over the main
// window.
void ShowPrognosis(const RunContext& run, Window& mainWindow, Window& reportLog);
