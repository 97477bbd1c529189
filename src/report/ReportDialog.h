#pragma once

#include "framework/Dialog.h"
#include "framework/LinkLabel.h"
#include "report/FindingsView.h"

#include <cstdint>

// "Doctor's Report": the prognosis of a run, the product's trace switch, the web site link and
// the submission of the report.
class ReportDialog : public Dialog {
public:
    ReportDialog(Window* parent, unsigned diagnosisId, unsigned adviceId, bool traceOn,
                 Window& reportLog, const Str& installFolder);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void SubmitReport();

    Str AdviceText;
    Str DiagnosisText;
    int32_t GenerateTrace;
    LinkLabel WebLink;
    Str InstallLog;
    Str InstallFolder;
    Window& ReportLog;
    FindingList Findings; // of the run, shown under the prognosis
    FindingsView FindingsShown;
};
