#include "app/ReportMode.h"

#include "app/CheckSummary.h"
#include "app/DoctorApp.h"
#include "app/JsonReport.h"
#include "app/OutputChannel.h"
#include "diagnosis/DiagnosisPass.h"
#include "diagnosis/MemoryReport.h"
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
    default:
        return report.Text();
    }
}

const char* OutputName(RunMode mode) {
    return mode == RunMode::Message ? "message"
           : mode == RunMode::Json  ? "JSON report"
           : mode == RunMode::Check ? "summary"
                                    : "report";
}

// One meaning each: a product absent for this account is not a problem found in it.
int ExitCodeFor(const AnalysisResult& analysis) {
    if (analysis.InstallResult == InstallCode::NotInstalled) {
        return ExitNotInstalled;
    }
    return analysis.IsHealthy() ? ExitHealthy : ExitFindings;
}

} // namespace

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
    return ExitCodeFor(report.Analysis);
}
