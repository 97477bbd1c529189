#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "app/HelpDialog.h"
#include "diagnosis/DiagnosisPass.h"
#include "framework/AppBase.h"
#include "framework/DeviceContext.h"
#include "report/ShowPrognosis.h"
#include "resources/ResourceIds.h"

namespace {

const char* const ReadyText = "Ready for analysis to begin. Press  Diagnose to begin";
const char* const CheckingText = "Checking Velmont - Please wait a moment";
const char* const DoneText = "Scan complete - all done";
const WPARAM ReportLogLimit = 65535;

// The run's lines reach the log in blocks of about this size: each insertion costs Wine's edit
// control a pass over its whole text, so a full log of short lines took 40 s line by line.
const int32_t PendingBlock = 8192;

HINSTANCE ProgramInstance() {
    return TheApp ? TheApp->InstanceHandle : nullptr;
}

} // namespace

MainDialog::MainDialog()
    : Dialog(IDD_MAIN, nullptr, ProgramInstance()), StatusText(ReadyText),
      Icon(LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(IDI_DOCTOR))) {
}

void MainDialog::DoDataExchange(DataExchange& exchange) {
    DdxControl(exchange, IDC_REPORT_LOG, ReportLog);
    DdxText(exchange, IDC_STATUS_LINE, StatusText);
}

BOOL MainDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    AddAboutItem();
    SetClassLongPtrA(hwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(Icon));
    CenterOnScreen();
    SendDlgItemMessageA(hwnd, IDC_REPORT_LOG, EM_LIMITTEXT, ReportLogLimit, 0);
    return TRUE;
}

void MainDialog::AddAboutItem() {
    Menu systemMenu = GetSystemMenu(false);
    if (!systemMenu.Handle()) {
        return;
    }
    Str aboutText;
    aboutText.LoadText(IDS_ABOUT_MENU);
    if (aboutText.IsEmpty()) {
        return;
    }
    systemMenu.AppendItem(MF_SEPARATOR, 0, nullptr);
    systemMenu.AppendItem(MF_STRING, AboutCommand, aboutText.Text());
}

void MainDialog::AppendToReport(const Str& text) {
    pendingText.Append(text);
    if (pendingText.Length() >= PendingBlock) {
        FlushToReportLog();
    }
}

// Appends at the caret, which every run keeps at the end of the log. A full log takes nothing
// more: its limit would cut the text anyway, and each refused insertion still costs the control
// a pass over its whole text (a 50 MB trace line took 18 s instead of 5 s under Wine).
void MainDialog::FlushToReportLog() {
    if (!pendingText.IsEmpty() &&
        static_cast<WPARAM>(GetWindowTextLengthA(ReportLog.hwnd)) < ReportLogLimit) {
        SendMessageA(ReportLog.hwnd, EM_SETSEL, static_cast<WPARAM>(-1), -1);
        SendMessageA(ReportLog.hwnd, EM_REPLACESEL, 0,
                     reinterpret_cast<LPARAM>(pendingText.Text()));
        SendMessageA(ReportLog.hwnd, EM_SCROLLCARET, 0, 0);
    }
    pendingText.Empty();
}

// No message is handled while the run goes on: a second run cannot start inside the first.
void MainDialog::DiagnosisRun() {
    StatusText.Assign(CheckingText);
    SetWindowTextA(ReportLog.hwnd, "");
    UpdateData(false);
    UpdateWindow(hwnd);
    RunDiagnosisPass(*this);
    FlushToReportLog();
    Sleep(pauseMilliseconds);
    StatusText.Assign(DoneText);
    ShowPrognosis();
    UpdateData(false);
}

void MainDialog::ShowPrognosis() {
    ::ShowPrognosis(*this, *this, ReportLog);
}

LRESULT MainDialog::WindowProc(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam);
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(Icon);
    case WM_COMMAND:
        if (wParam == IDHELP) {
            HelpDialog(*this).DoModal();
            return 1;
        }
        return 0;
    default:
        return 0;
    }
}

LRESULT MainDialog::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) == AboutCommand) {
        AboutDialog(*this).DoModal();
    } else {
        DefaultProc();
    }
    return 1;
}

LRESULT MainDialog::OnPaint() {
    if (IsIconic(hwnd)) {
        DrawMinimisedIcon();
    } else {
        DefaultProc();
    }
    return 1;
}

void MainDialog::DrawMinimisedIcon() {
    PaintContext paint(*this);
    SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Handle()), 0);
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client = {};
    GetClientRect(hwnd, &client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(paint.Handle(), x, y, Icon);
}
