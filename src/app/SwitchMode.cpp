#include "app/SwitchMode.h"

#include "app/DoctorApp.h"
#include "app/OutputChannel.h"
#include "app/ReportMode.h"

namespace {

int ReportUsageError(const Str& reason) {
    Str line;
    line.Format("VLDoctor: %s\r\n", reason.Text());
    WriteToStandardError(line);
    return 2;
}

int WriteUsage() {
    uint32_t error = 0;
    if (WriteToStandardOutput(Str(UsageText), error)) {
        return 0;
    }
    WriteFailureToStandardError(Str("cannot write the usage to 'standard output'"), error);
    return 2;
}

} // namespace

int RunSwitchMode(DoctorApp& app, HINSTANCE instance, const CommandLine& command) {
    switch (command.mode) {
    case RunMode::Usage:
        return WriteUsage();
    case RunMode::Invalid:
        return ReportUsageError(command.error);
    default:
        app.InstanceHandle = instance;
        app.InitPaths();
        return RunReportMode(app, command);
    }
}
