#pragma once

#include "base/Str.h"

#include <cstdint>

struct AnalysisResult {
    uint32_t InstallResult = 0;
    uint32_t FilesResult = 0;
    uint32_t ConfigResult = 0;
};

// What every check works on: the report it appends to and the facts of the run. The main window
// is one such context, a report collected in memory another; no check knows which.
class RunContext {
public:
    virtual ~RunContext() = default;
    virtual void AppendToReport(const Str& text) = 0;
    void AppendProductText(const Str& text);

    AnalysisResult Analysis;
    Str InstallFolder;
    Str ConfigFolder;
    Str ConfigName;
    bool TraceModeOn = false;
    int32_t MaskedCredentials = 0;
};
