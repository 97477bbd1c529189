#include "app/CommandLine.h"

#include <cstring>

const char* const UsageText =
    "Usage: VLDoctor [/check [/users] [FILE] | /status [FILE] |\r\n"
    "                /report [/users] [FILE] | /message [FILE] |\r\n"
    "                /json [/users] [FILE] | /version | /?]\r\n"
    "  (no switch)      show the Doctor's window\r\n"
    "  /check [FILE]    diagnose and write a summary: each stage, each finding and its fix\r\n"
    "  /status [FILE]   diagnose and write one line: the state and each problem's id\r\n"
    "  /report [FILE]   diagnose Velmont and write the report to FILE or standard output\r\n"
    "  /message [FILE]  diagnose and write the message that Submit would send\r\n"
    "  /json [FILE]     diagnose and write the result as one JSON document\r\n"
    "  /users           after /check, /report, /json: every user of this computer\r\n"
    "  /version         show the Doctor's version\r\n"
    "  /?, /help        show this text\r\n"
    "One switch, then at most one FILE; - for FILE is standard output. Switches ignore case\r\n"
    "and may start with - instead of /: -report. A FILE that starts with - or is / and a name\r\n"
    "is taken for a switch: write .\\-name or C:\\name instead.\r\n"
    "Exit code: 0 healthy (0:0:0), 1 problems found, 2 bad arguments or output,\r\n"
    "           3 Velmont is not installed for the account the Doctor runs as\r\n"
    "           (with /users: 1 a user has problems or could not be read, 3 no user has it).\r\n";

namespace {

struct SwitchRow {
    const char* name;
    RunMode mode;
    bool takesFile;
    bool takesUsers;
};

// One row per switch; a new switch is one more row (and its line in the usage text). /users
// is a row of its own: it follows a mode that takes it and makes no mode alone.
const SwitchRow SwitchTable[] = {
    {"?", RunMode::Usage, false, false},         {"help", RunMode::Usage, false, false},
    {"report", RunMode::Report, true, true},     {"message", RunMode::Message, true, false},
    {"json", RunMode::Json, true, true},         {"check", RunMode::Check, true, true},
    {"version", RunMode::Version, false, false}, {"status", RunMode::Status, true, false},
    {"users", RunMode::Invalid, false, false},
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

bool IsUsersSwitch(const char* argument) {
    const SwitchRow* row = FindSwitch(argument);
    return row && strcmp(row->name, "users") == 0;
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
    if (!row || row->mode == RunMode::Invalid) {
        return Invalid("unknown argument '%s' (try /?)", argv[1]);
    }
    // /users right after the mode; the FILE, if any, after it.
    int first = 2;
    if (row->takesUsers && argc > 2 && IsUsersSwitch(argv[2])) {
        command.users = true;
        first = 3;
    }
    int most = first + (row->takesFile ? 1 : 0);
    if (argc > most) {
        return Invalid("unexpected argument '%s' (try /?)", argv[most]);
    }
    if (argc == most && most > first && (argv[first][0] == '\0' || LooksLikeSwitch(argv[first]))) {
        return Invalid("unexpected argument '%s' (try /?)", argv[first]);
    }
    command.mode = row->mode;
    if (argc == most && most > first) {
        command.outputPath.Assign(argv[first]);
    }
    return command;
}

bool WritesToStandardOutput(const CommandLine& command) {
    return command.outputPath.IsEmpty() || strcmp(command.outputPath.Text(), "-") == 0;
}
