#pragma once

#include "diagnosis/FileByteSource.h"
#include "diagnosis/RunContext.h"

#include <cstdint>

// True when the file opens for reading, and file holds it open for what the check reads next;
// otherwise one report line with the system's reason, which also goes, with the path, into the
// evidence when one is given.
bool ProbeFile(RunContext& context, const Str& path, FileByteSource& file,
               Evidence* failure = nullptr);
// The line (and evidence) of a failed open.
void ReportOpenFailure(RunContext& context, const Str& path, uint32_t code, Evidence* failure);

// The 32-bit system folder, where the 32-bit product's system libraries live.
Str SystemFolder();

// Looks for a library in the system folder and reports its version; true when it is there and
// not older than the minimum.
bool CheckSystemComponent(RunContext& context, const char* name, int32_t minMajor, int32_t minMinor,
                          int32_t minBuild);
