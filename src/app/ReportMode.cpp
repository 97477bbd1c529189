#include "app/ReportMode.h"

#include "app/CheckSummary.h"
#include "app/DoctorApp.h"
#include "app/JsonReport.h"
#include "app/OutputChannel.h"
#include "app/StatusLine.h"
#include "app/UsersOutput.h"
#include "base/KeyCache.h"
#include "diagnosis/DiagnosisPass.h"
#include "diagnosis/EveryUser.h"
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

namespace {

// Over every user: a profile not read is a problem, and only where no one has the product is
// it not installed.
int ExitCodeFor(const EveryUserRun& run) {
    if (run.AnyProblem()) {
        return ExitFindings;
    }
    return run.AnyProduct() ? ExitHealthy : ExitNotInstalled;
}

Str UsersOutputText(const CommandLine& command, const EveryUserRun& run) {
    switch (command.mode) {
    case RunMode::Json:
        return BuildUsersJsonReport(run);
    case RunMode::Check:
        return BuildUsersCheckSummary(run, WritesToStandardOutput(command) && ConsoleShowsMarks());
    default:
        return BuildUsersReport(run);
    }
}

// Whole or not at all, to FILE or standard output; false after the one line that says why.
bool WriteOutput(const CommandLine& command, const Str& text) {
    bool toStandardOutput = WritesToStandardOutput(command);
    uint32_t error = 0;
    bool written = toStandardOutput ? WriteToStandardOutput(text, error)
                                    : WriteToFile(command.outputPath.Text(), text, error);
    if (!written) {
        Str what;
        what.Format("cannot write the %s to '%s'", OutputName(command.mode),
                    toStandardOutput ? "standard output" : command.outputPath.Text());
        WriteFailureToStandardError(what, error);
    }
    return written;
}

// The start-up reads the product's settings that the diagnosis reads again at once: one pass over
// them, each key opened once.
void StartAndDiagnose(DoctorApp& app, MemoryReport& report) {
    KeyCacheScope keys;
    app.StartUp();
    RunDiagnosisPass(report);
}

int RunUsersMode(const CommandLine& command) {
    EveryUserRun run;
    run.Run();
    if (!WriteOutput(command, UsersOutputText(command, run))) {
        return ExitUsage;
    }
    return ExitCodeFor(run);
}

} // namespace

// The diagnosis without a window: no status line, pause, prognosis dialog or message box, and
// nothing of the product written. The text goes out whole, not cut to the window's limit.
int RunReportMode(DoctorApp& app, const CommandLine& command) {
    if (command.users) {
        app.StartUp();
        return RunUsersMode(command);
    }
    MemoryReport report;
    StartAndDiagnose(app, report);
    if (!WriteOutput(command, OutputText(command, report))) {
        return ExitUsage;
    }
    return ExitCodeFor(report);
}
