#include "app/CommandLine.h"

#include <cstring>

const char* const UsageText =
    "Usage: VLDoctor [/check [FILE] | /status [FILE] | /report [FILE] | /message [FILE] |\r\n"
    "                /json [FILE] | /version | /?]\r\n"
    "  (no switch)      show the Doctor's window\r\n"
    "  /check [FILE]    diagnose and write a summary: each stage, each finding and its fix\r\n"
    "  /status [FILE]   diagnose and write one line: the state and each problem's id\r\n"
    "  /report [FILE]   diagnose Velmont and write the report to FILE or standard output\r\n"
    "  /message [FILE]  diagnose and write the message that Submit would send\r\n"
    "  /json [FILE]     diagnose and write the result as one JSON document\r\n"
    "  /version         show the Doctor's version\r\n"
    "  /?, /help        show this text\r\n"
    "One switch, then at most one FILE; - for FILE is standard output. Switches ignore case\r\n"
    "and may start with - instead of /: -report. A FILE that starts with - or is / and a name\r\n"
    "is taken for a switch: write .\\-name or C:\\name instead.\r\n"
    "Exit code: 0 healthy (0:0:0), 1 problems found, 2 bad arguments or output,\r\n"
    "           3 Velmont is not installed for the account the Doctor runs as.\r\n";

namespace {

struct SwitchRow {
    const char* name;
    RunMode mode;
    bool takesFile;
};

// One row per switch; a new switch is one more row (and its line in the usage text).
const SwitchRow SwitchTable[] = {
    {"?", RunMode::Usage, false},         {"help", RunMode::Usage, false},
    {"report", RunMode::Report, true},    {"message", RunMode::Message, true},
    {"json", RunMode::Json, true},        {"check", RunMode::Check, true},
    {"version", RunMode::Version, false}, {"status", RunMode::Status, true},
};

const SwitchRow* FindSwitch(const char* argument) {
    if (argument[0] != '/' && argument[0] != '-') {
        return nullptr;
    }
    for (const SwitchRow& row : SwitchTable) {
        if (_stricmp(argument + 1, row.name) == 0) {
            return &row;
        }
    }
    return nullptr;
}

// Anything a script may have meant as a switch: "-x" (a lone "-" is standard output), and "/x"
// without a further separator, which Windows would take for a file at the root of the drive.
bool LooksLikeSwitch(const char* argument) {
    if (argument[0] == '-') {
        return argument[1] != '\0';
    }
    return argument[0] == '/' && !strpbrk(argument + 1, "/\\");
}

CommandLine Invalid(const char* format, const char* argument) {
    CommandLine command;
    command.mode = RunMode::Invalid;
    command.error.Format(format, argument);
    return command;
}

} // namespace

// Exactly one switch, then at most one FILE for the switches that write one.
CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine command;
    if (argc < 2) {
        return command;
    }
    const SwitchRow* row = FindSwitch(argv[1]);
    if (!row) {
        return Invalid("unknown argument '%s' (try /?)", argv[1]);
    }
    int most = row->takesFile ? 3 : 2;
    if (argc > most) {
        return Invalid("unexpected argument '%s' (try /?)", argv[most]);
    }
    if (argc == 3 && (argv[2][0] == '\0' || LooksLikeSwitch(argv[2]))) {
        return Invalid("unexpected argument '%s' (try /?)", argv[2]);
    }
    command.mode = row->mode;
    if (argc == 3) {
        command.outputPath.Assign(argv[2]);
    }
    return command;
}

bool WritesToStandardOutput(const CommandLine& command) {
    return command.outputPath.IsEmpty() || strcmp(command.outputPath.Text(), "-") == 0;
}
