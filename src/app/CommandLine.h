#pragma once

#include "base/Str.h"

enum class RunMode { Window, Report, Message, Json, Check, Status, Usage, Version, Invalid };

struct CommandLine {
    RunMode mode = RunMode::Window;
    Str outputPath;     // empty or "-" means standard output
    bool users = false; // every user of the machine, not only the one the Doctor runs as
    Str error;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);
bool WritesToStandardOutput(const CommandLine& command);
extern const char* const UsageText;
