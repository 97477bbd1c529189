#pragma once

#include "diagnosis/RunContext.h"

#include <cstdint>

// Appends the last 100 lines of every *Trace.log file in the configuration folder.
void CollectTraceLogs(RunContext& context);

// Appends a heading and the last maxLines lines of the file; false when it cannot be opened or
// was not read within TraceLogLimitMs.
bool CopyFileTail(RunContext& context, const char* path, int32_t maxLines);

class FileByteSource;

// How a log is opened, and how long its tail may take to read before it is left out with a
// finding: tests stand in a log that never answers, as one on a share whose server is gone.
extern bool (*OpenTraceLog)(FileByteSource& file, const char* path);
extern uint32_t TraceLogLimitMs;
