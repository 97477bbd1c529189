#include "app/CommandLine.h"

#include <cstring>

const char* const UsageText =
    "Usage: VLDoctor [/check [FILE] | /report [FILE] | /message [FILE] | /json [FILE] |\r\n"
    "                /version | /?]\r\n"
    "  (no switch)      show the Doctor's window\r\n"
    "  /check [FILE]    diagnose and write a summary: each stage, each finding and its fix\r\n"
    "  /report [FILE]   diagnose Velmont and write the report to FILE or standard output\r\n"
    "  /message [FILE]  diagnose and write the message that Submit would send\r\n"
    "  /json [FILE]     diagnose and write the result as one JSON document\r\n"
    "  /version         show the Doctor's version\r\n"
    "  /?               show this text\r\n"
    "Exit code: 0 healthy (0:0:0), 1 problems found, 2 bad arguments or output,\r\n"
    "           3 Velmont is not installed for the account the Doctor runs as.\r\n";

namespace {

bool IsSwitch(const char* argument, const char* name) {
    return (argument[0] == '/' || argument[0] == '-') && _stricmp(argument + 1, name) == 0;
}

CommandLine Invalid(const char* format, const char* argument) {
    CommandLine command;
    command.mode = RunMode::Invalid;
    command.error.Format(format, argument);
    return command;
}

} // namespace

// Switches are case-insensitive and start with / or -; a lone "-" is the standard output.
CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine command;
    if (argc < 2) {
        return command;
    }
    const char* first = argv[1];
    if (IsSwitch(first, "?") || IsSwitch(first, "help")) {
        command.mode = argc == 2 ? RunMode::Usage : RunMode::Invalid;
    } else if (IsSwitch(first, "report")) {
        command.mode = RunMode::Report;
    } else if (IsSwitch(first, "message")) {
        command.mode = RunMode::Message;
    } else if (IsSwitch(first, "json")) {
        command.mode = RunMode::Json;
    } else if (IsSwitch(first, "check")) {
        command.mode = RunMode::Check;
    } else if (IsSwitch(first, "version")) {
        command.mode = argc == 2 ? RunMode::Version : RunMode::Invalid;
    } else {
        return Invalid("unknown argument '%s' (try /?)", first);
    }
    if (command.mode == RunMode::Invalid) {
        return Invalid("unexpected argument '%s' (try /?)", argv[2]);
    }
    if (argc > 3) {
        return Invalid("unexpected argument '%s' (try /?)", argv[3]);
    }
    if (argc == 3) {
        command.outputPath.Assign(argv[2]);
    }
    return command;
}

bool WritesToStandardOutput(const CommandLine& command) {
    return command.outputPath.IsEmpty() || strcmp(command.outputPath.Text(), "-") == 0;
}
