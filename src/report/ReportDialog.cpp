#include "report/ReportDialog.h"

#include "config/ConfigSettings.h"
#include "framework/AppBase.h"
#include "report/SubmitReport.h"
#include "resources/ResourceIds.h"

namespace {

const int32_t TraceModeOnValue = 3;
const int32_t TraceModeOffValue = 0;

const char* const SwitchTraceOffNote =
    "\n\nIf you have completed tracing the problem, please switch off the diagnostic trace";
const char* const SwitchTraceOnNote =
    "\n\nTo aid us in investigating the problem, please enable the diagnostic trace and then run "
    "Velmont again and then the Doctor so that the generated trace can be sent out for analysis";

} // namespace

ReportDialog::ReportDialog(Window* parent, unsigned diagnosisId, unsigned adviceId, bool traceOn,
                           Window& reportLog, const Str& installFolder)
    : Dialog(IDD_REPORT, parent, TheApp ? TheApp->InstanceHandle : nullptr),
      GenerateTrace(traceOn ? 1 : 0), WebLink(IDR_HAND_CURSOR), InstallFolder(installFolder),
      ReportLog(reportLog) {
    DiagnosisText.LoadText(diagnosisId);
    AdviceText.LoadText(adviceId);
    AdviceText.Append(GenerateTrace ? SwitchTraceOffNote : SwitchTraceOnNote);
}

void ReportDialog::DoDataExchange(DataExchange& exchange) {
    DdxText(exchange, IDC_ADVICE_TEXT, AdviceText);
    DdxText(exchange, IDC_DIAGNOSIS_TEXT, DiagnosisText);
    DdxCheck(exchange, IDC_GENERATE_TRACE, GenerateTrace);
}

BOOL ReportDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    WebLink.SubclassItem(IDC_REPORT_WEB_LINK, *this);
    FindingsShown.Fill(hwnd, Findings);
    return TRUE;
}

// The dialog stays open after a submission: the user may submit again.
LRESULT ReportDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && wParam == IDC_SUBMIT) {
        SubmitReport();
        return 1;
    }
    if (message == WM_COMMAND && wParam == MAKEWPARAM(IDC_FINDINGS_LIST, LBN_SELCHANGE)) {
        FindingsShown.ShowSelectedFix();
        return 1;
    }
    if (message == WM_DRAWITEM && wParam == IDC_FINDINGS_LIST) {
        FindingsShown.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 1;
    }
    return 0;
}

// Only Close stores the trace switch, and only when the box differs from the stored mode: a mode
// the product stored as any value above 0 is on, and an unchanged box leaves it as it is.
void ReportDialog::OnOK() {
    UpdateData(true);
    {
        ConfigInt traceMode("Main", "TraceMode", 0);
        bool storedOn = traceMode.Value() > 0;
        if (storedOn != (GenerateTrace != 0)) {
            traceMode.SetValue(GenerateTrace ? TraceModeOnValue : TraceModeOffValue);
        }
    }
    Dialog::OnOK();
}

// The Submit button (command 1007): the message is rebuilt from the report as it stands now.
void ReportDialog::SubmitReport() {
    Str reportText;
    ReportLog.GetText(reportText);
    ::SubmitReport(hwnd, reportText, DiagnosisText, InstallFolder, InstallLog);
}
