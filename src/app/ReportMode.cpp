#include "app/ReportMode.h"

#include "app/CheckSummary.h"
#include "app/DoctorApp.h"
#include "app/JsonReport.h"
#include "app/OutputChannel.h"
#include "app/StatusLine.h"
#include "diagnosis/DiagnosisPass.h"
#include "diagnosis/MemoryReport.h"
#include "diagnosis/StageState.h"
#include "report/ReportMessage.h"

namespace {

const int ExitHealthy = 0;
const int ExitFindings = 1;
const int ExitUsage = 2;
const int ExitNotInstalled = 3;

// The report itself, the message that Submit would send after this run, or the run as JSON.
Str OutputText(const CommandLine& command, const MemoryReport& report) {
    switch (command.mode) {
    case RunMode::Message:
        return MessageAfterRun(report.Analysis, report.Text(), report.InstallFolder);
    case RunMode::Json:
        return BuildJsonReport(report, report.Text());
    case RunMode::Check:
        return BuildCheckSummary(report, WritesToStandardOutput(command) && ConsoleShowsMarks());
    case RunMode::Status:
        return BuildStatusLine(report);
    default:
        return report.Text();
    }
}

const char* OutputName(RunMode mode) {
    return mode == RunMode::Message  ? "message"
           : mode == RunMode::Json   ? "JSON report"
           : mode == RunMode::Check  ? "summary"
           : mode == RunMode::Status ? "status line"
                                     : "report";
}

} // namespace

// One meaning each: a run that did not diagnose the product of a user who uses it (not installed
// for this account, or the local system account's own settings) is not a problem found in it,
// nor a healthy product.
int ExitCodeFor(const RunContext& run) {
    switch (StateOfRun(run)) {
    case RunState::Healthy:
        return ExitHealthy;
    case RunState::Problems:
        return ExitFindings;
    default:
        return ExitNotInstalled;
    }
}

// The diagnosis without a window: no status line, pause, prognosis dialog or message box, and
// nothing of the product written. The text goes out whole, not cut to the window's limit.
int RunReportMode(DoctorApp& app, const CommandLine& command) {
    app.StartUp();
    MemoryReport report;
    RunDiagnosisPass(report);
    Str text = OutputText(command, report);
    bool toStandardOutput = WritesToStandardOutput(command);
    uint32_t error = 0;
    bool written = toStandardOutput ? WriteToStandardOutput(text, error)
                                    : WriteToFile(command.outputPath.Text(), text, error);
    if (!written) {
        Str what;
        what.Format("cannot write the %s to '%s'", OutputName(command.mode),
                    toStandardOutput ? "standard output" : command.outputPath.Text());
        WriteFailureToStandardError(what, error);
        return ExitUsage;
    }
    return ExitCodeFor(report);
}
