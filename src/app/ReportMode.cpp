#include "app/ReportMode.h"

#include "app/DoctorApp.h"
#include "app/OutputChannel.h"
#include "diagnosis/DiagnosisPass.h"
#include "diagnosis/MemoryReport.h"
#include "report/ReportMessage.h"

namespace {

const int ExitHealthy = 0;
const int ExitFindings = 1;
const int ExitUsage = 2;

// The report itself, or in message mode the message that Submit would send after this run.
Str OutputText(const CommandLine& command, const MemoryReport& report) {
    if (command.mode != RunMode::Message) {
        return report.Text();
    }
    return MessageAfterRun(report.Analysis, report.Text(), report.InstallFolder);
}

} // namespace

// The diagnosis without a window: no status line, pause, prognosis dialog or message box, and
// nothing of the product written. The text goes out whole, not cut to the window's limit.
int RunReportMode(DoctorApp& app, const CommandLine& command) {
    app.StartUp();
    MemoryReport report;
    RunDiagnosisPass(report);
    Str text = OutputText(command, report);
    bool written = WritesToStandardOutput(command) ? WriteToStandardOutput(text)
                                                   : WriteToFile(command.outputPath.Text(), text);
    if (!written) {
        Str reason;
        reason.Format("VLDoctor: cannot write the %s to '%s'\r\n",
                      command.mode == RunMode::Message ? "message" : "report",
                      WritesToStandardOutput(command) ? "standard output"
                                                      : command.outputPath.Text());
        WriteToStandardError(reason);
        return ExitUsage;
    }
    return report.Analysis.IsHealthy() ? ExitHealthy : ExitFindings;
}
