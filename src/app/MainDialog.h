#pragma once

#include "diagnosis/RunContext.h"
#include "framework/Dialog.h"

#include <windows.h>

// The Doctor's window: status line, report log, Diagnose, Close and Help. It is the context of
// every diagnosis run, and its OK command is the run.
class MainDialog : public Dialog, public RunContext {
public:
    static constexpr UINT AboutCommand = 0x0010;

    MainDialog();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override { DiagnosisRun(); }

    void AppendToReport(const Str& text) override;
    void DiagnosisRun();
    void ShowPrognosis();

    Window ReportLog;
    Str StatusText;
    HICON Icon;
    DWORD pauseMilliseconds = 2000; // between the checks and the prognosis

private:
    void FlushToReportLog();
    void AddAboutItem();
    LRESULT OnSysCommand(WPARAM command);
    LRESULT OnPaint();
    void DrawMinimisedIcon();

    Str pendingText; // lines of the run not yet in the log
};
