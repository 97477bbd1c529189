#include "app/SwitchMode.h"

#include "app/DoctorApp.h"
#include "app/OutputChannel.h"
#include "app/ReportMode.h"
#include "resources/Version.h"

namespace {

int ReportUsageError(const Str& reason) {
    Str line;
    line.Format("VLDoctor: %s\r\n", reason.Text());
    WriteToStandardError(line);
    return 2;
}

} // namespace

int RunSwitchMode(DoctorApp& app, HINSTANCE instance, const CommandLine& command) {
    switch (command.mode) {
    case RunMode::Usage:
        WriteToStandardOutput(Str(UsageText));
        return 0;
    case RunMode::Version:
        WriteToStandardOutput(Str(VLD_VERSION_TEXT "\r\n"));
        return 0;
    case RunMode::Invalid:
        return ReportUsageError(command.error);
    default:
        app.InstanceHandle = instance;
        app.InitPaths();
        return RunReportMode(app, command);
    }
}
