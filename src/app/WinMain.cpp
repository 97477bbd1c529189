#include "app/CommandLine.h"
#include "app/DoctorApp.h"
#include "app/OutputChannel.h"
#include "app/ProgramEntry.h"
#include "app/ReportMode.h"

#include <windows.h>

#include <cstdlib>

namespace {

DoctorApp TheDoctorApp;

int ReportUsageError(const Str& reason) {
    Str line;
    line.Format("VLDoctor: %s\r\n", reason.Text());
    WriteToStandardError(line);
    return 2;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    CommandLine command = ParseCommandLine(__argc, __argv);
    switch (command.mode) {
    case RunMode::Usage:
        WriteToStandardOutput(Str(UsageText));
        return 0;
    case RunMode::Invalid:
        return ReportUsageError(command.error);
    case RunMode::Window:
        return ProgramEntry(instance, previous, commandLine, showCommand);
    default:
        TheDoctorApp.InstanceHandle = instance;
        TheDoctorApp.InitPaths();
        return RunReportMode(TheDoctorApp, command);
    }
}
