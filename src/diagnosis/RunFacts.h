#pragma once

#include "base/Str.h"
#include "base/StrList.h"

#include <cstdint>

// The facts of one run in a form a program can read, gathered by the same checks that write the
// report's lines: the second thing a run fills besides the report. Each row of a table is kept
// as consecutive items of one list, LibraryFields or FileFields items a row.
class RunFacts {
public:
    static constexpr int32_t LibraryFields = 4;  // name, version, required minimum, status
    static constexpr int32_t FileFields = 4;     // path, version, error text, error code
    static constexpr int32_t TraceLogFields = 2; // path, the lines copied

    void Clear();

    Str Time; // ISO 8601, UTC
    Str Computer;
    Str User;
    Str SystemVersion;
    uint32_t Build = 0;
    Str Description;
    bool ConfigVersionRead = false;
    int32_t ConfigVersion = 0;
    StrList Libraries;
    StrList ProductFiles;
    StrList Events;
    StrList AlertSchemes;
    StrList Sites;
    StrList TraceLogs;
};
