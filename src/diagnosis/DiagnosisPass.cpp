#include "diagnosis/DiagnosisPass.h"

#include "base/KeyCache.h"
#include "base/LocalPath.h"
#include "config/ConfigStore.h"
#include "diagnosis/ConfigurationCheck.h"
#include "diagnosis/InstallationCheck.h"
#include "diagnosis/ProductFilesCheck.h"
#include "diagnosis/ReportHeader.h"
#include "diagnosis/TraceLogCollection.h"
#include "masking/CredentialMask.h"

const char* const SystemAccountLine =
    "The Doctor runs as the local system account, which does not use Velmont: add /users to "
    "diagnose every user of this computer, or run it as the user who uses Velmont\r\n";

namespace {

void ReportSystemAccount(RunContext& context) {
    context.AppendToReport(Str(SystemAccountLine));
    Evidence evidence;
    evidence.Found = context.Facts.User;
    context.AddFinding(FindingId::SystemAccount,
                       Str("The Doctor runs as the local system account, not as a user of Velmont"),
                       Str("Add /users to diagnose every user of this computer "
                           "(VLDoctor.com /json /users), or run the Doctor as the user who uses "
                           "Velmont."),
                       evidence);
}

} // namespace

// The checks of one run, from the zeroed result to the analysis result line. The window adds
// its status texts, the pause and the prognosis around this.
void RunDiagnosisPass(RunContext& context) {
    KeyCacheScope keys;
    DriveTypeScope drives;
    context.Analysis = AnalysisResult();
    context.MaskedCredentials = 0;
    context.Facts.Clear();
    context.Findings.Clear();
    context.OwnMachine.Clear();
    WriteReportHeader(context);
    context.SystemAccount = context.UnderSystemAccount();
    if (context.SystemAccount) {
        ReportSystemAccount(context);
    }
    AnalysisResult& result = context.Analysis;
    result.InstallResult = InstallationCheck(context);
    if (result.InstallResult == InstallCode::NotInstalled) {
        return;
    }
    {
        // Makes the product's current configuration the one the later stages read.
        ConfigStore store;
        store.Load();
    }
    result.FilesResult = ProductFilesCheck(context);
    result.ConfigResult = ConfigurationCheck(context);
    CollectTraceLogs(context);
    context.AppendToReport(MaskedCountLine(context.MaskedCredentials, "report"));
    Str line;
    line.Format("\r\nAnalysis result %u:%u:%u\r\n", static_cast<unsigned>(result.InstallResult),
                static_cast<unsigned>(result.FilesResult),
                static_cast<unsigned>(result.ConfigResult));
    context.AppendToReport(line);
}
