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

// The usage or the version on standard output; "what" names it in a failure's line.
int WriteText(const char* text, const char* what) {
    uint32_t error = 0;
    if (WriteToStandardOutput(Str(text), error)) {
        return 0;
    }
    Str failure;
    failure.Format("cannot write the %s to 'standard output'", what);
    WriteFailureToStandardError(failure, error);
    return 2;
}

} // namespace

int RunSwitchMode(DoctorApp& app, HINSTANCE instance, const CommandLine& command) {
    switch (command.mode) {
    case RunMode::Usage:
        return WriteText(UsageText, "usage");
    case RunMode::Version:
        return WriteText(VLD_VERSION_TEXT "\r\n", "version");
    case RunMode::Invalid:
        return ReportUsageError(command.error);
    default:
        app.InstanceHandle = instance;
        app.InitPaths();
        return RunReportMode(app, command);
    }
}
