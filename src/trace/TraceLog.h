#pragma once

#include "base/ObjectBase.h"
#include "base/Str.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

enum TraceMode : uint32_t {
    TraceNone = 0,
    TraceFile = 1,
    TraceDebugger = 4,
    TraceFlushed = 6,
    TraceFileAppend = 8,
};

// The Doctor's own trace: time-stamped lines through a bit-mask filter to the debugger output
// and, in the file modes, to trace.log in the temporary folder.
class TraceLog : public ObjectBase {
public:
    TraceLog() = default;
    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;
    ~TraceLog() override;

    void SetTraceFile(const char* path) { filePath.Assign(path); }
    void SetTraceMode(uint32_t newMode);
    void SetTraceFilter(int32_t newFilter);
    void Emit(int32_t mask, const char* text);
    void Write(int32_t mask, const char* format, va_list args);

    uint32_t Mode() const { return mode; }
    int32_t Filter() const { return filter; }

private:
    void CloseFile();

    uint32_t mode = TraceNone;
    int32_t filter = 0;
    Str filePath;
    FILE* file = nullptr;
};

extern TraceLog TheTraceLog;

// Mask 0 always logs and also shows the text in a message box; other masks are filter bits.
void Trace(int32_t mask, const char* format, ...) __attribute__((format(printf, 2, 3)));
uint32_t TraceModeCode(const char* modeName);
void ConfigureTrace(const char* modeName, int32_t filter, const char* filePath);
void LoadTraceSettings(const char* settingsPath);
