#include "trace/TraceLog.h"

#include "base/ProfileFile.h"
#include "base/SystemPaths.h"
#include "trace/MessageBoxes.h"

#include <windows.h>

#include <cstring>
#include <ctime>

TraceLog TheTraceLog;

namespace {

const int LineBufferSize = 400;
const int LongestLine = 397;

bool IsFileMode(uint32_t mode) {
    return mode == TraceFile || mode == TraceFlushed || mode == TraceFileAppend;
}

int WritePrefix(char* line, const char* format) {
    time_t now = time(nullptr);
    const tm* local = localtime(&now);
    if (!local) {
        return snprintf(line, LineBufferSize, format, 0u, 0u, 0u, 0u);
    }
    return snprintf(line, LineBufferSize, format, static_cast<unsigned>(local->tm_mday),
                    static_cast<unsigned>(local->tm_hour), static_cast<unsigned>(local->tm_min),
                    static_cast<unsigned>(local->tm_sec));
}

} // namespace

TraceLog::~TraceLog() {
    CloseFile();
    mode = TraceNone;
}

void TraceLog::CloseFile() {
    if (file) {
        fclose(file);
        file = nullptr;
    }
}

void TraceLog::SetTraceMode(uint32_t newMode) {
    if (newMode == mode) {
        return;
    }
    CloseFile();
    if (!IsFileMode(newMode)) {
        mode = newMode;
        return;
    }
    file = fopen(filePath.Text(), "a");
    if (!file) {
        mode = TraceDebugger;
        Trace(1, "*** Cannot open log file %s ***", filePath.Text());
        return;
    }
    time_t now = time(nullptr);
    const char* opened = ctime(&now);
    fprintf(file, "Trace opened %s \n", opened ? opened : "\n");
    mode = newMode;
}

// The change itself is always written, whatever the old or the new filter lets through.
void TraceLog::SetTraceFilter(int32_t newFilter) {
    filter = -1;
    Trace(1, "<<<Change trace filter to %d>>>", newFilter);
    filter = newFilter;
}

void TraceLog::Emit(int32_t mask, const char* text) {
    if (file && IsFileMode(mode)) {
        fputs(text, file);
        if (mode == TraceFlushed) {
            fflush(file);
        }
    }
    if (mode != TraceNone) {
        OutputDebugStringA(text);
    }
    // Mask 0 is not a filter bit but a failure the user must see: it always opens a message box.
    if (mask == 0) {
        ShowTraceMessage(text);
    }
}

// A message box is logged as one line: the time-stamped announcement, then the message itself.
// With the trace off, a filtered line goes nowhere: it is not made, so that no run pays for the
// local time (the first one walks the time zones).
void TraceLog::Write(int32_t mask, const char* format, va_list args) {
    if (mask != 0 && ((filter & mask) == 0 || mode == TraceNone)) {
        return;
    }
    char line[LineBufferSize] = {};
    int start = 0;
    if (mask != 0) {
        start = WritePrefix(line, "%02u %02u:%02u:%02u ");
    } else {
        WritePrefix(line, "%02u %02u:%02u:%02u Message Box displayed :");
        Emit(-1, line);
    }
    if (start < 0 || start > LongestLine) {
        start = 0;
    }
    int written = vsnprintf(line + start, LongestLine + 1 - start, format, args);
    if (written < 0) {
        line[start] = '\0';
    }
    size_t end = strlen(line);
    line[end] = '\n';
    line[end + 1] = '\0';
    Emit(mask, line);
}

void Trace(int32_t mask, const char* format, ...) {
    va_list args;
    va_start(args, format);
    TheTraceLog.Write(mask, format, args);
    va_end(args);
}

uint32_t TraceModeCode(const char* modeName) {
    if (_stricmp(modeName, "none") == 0) {
        return TraceNone;
    }
    if (_stricmp(modeName, "file") == 0) {
        return TraceFile;
    }
    if (_stricmp(modeName, "flushed") == 0) {
        return TraceFlushed;
    }
    if (_stricmp(modeName, "fileappend") == 0) {
        return TraceFileAppend;
    }
    return TraceDebugger;
}

// The filter is set last, so a file that cannot be opened at start is not traced while the
// filter is still 0.
void ConfigureTrace(const char* modeName, int32_t filter, const char* filePath) {
    TheTraceLog.SetTraceFile(filePath);
    TheTraceLog.SetTraceMode(TraceModeCode(modeName));
    TheTraceLog.SetTraceFilter(filter);
}

void LoadTraceSettings(const char* settingsPath) {
    Str modeName = ReadProfileText(settingsPath, "Settings", "TraceMode", "none");
    int32_t filter = ReadProfileNumber(settingsPath, "Settings", "TraceFilter", 0);
    Str path = Concat(TempFolder(), "trace.log");
    ConfigureTrace(modeName.Text(), filter, path.Text());
}
