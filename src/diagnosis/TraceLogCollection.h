#pragma once

#include "diagnosis/RunContext.h"

#include <cstdint>

// Appends the last 100 lines of every *Trace.log file in the configuration folder.
void CollectTraceLogs(RunContext& context);

// Appends a heading and the last maxLines lines of the file; false when it cannot be opened.
bool CopyFileTail(RunContext& context, const char* path, int32_t maxLines);
