#include "report/ReportDialog.h"
#include "config/ConfigStore.h"
#include "diagnosis/MemoryReport.h"
#include "framework/AppBase.h"
#include "framework/LinkLabel.h"
#include "report/ShowPrognosis.h"

#include "DialogWatcher.h"
#include "ProgramApp.h"
#include "Registry.h"
#include "WindowDriver.h"
#include "resources/ExampleTexts.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

const char* const ReportCaption = "Doctor's Report";
const char* const SwitchOffNote =
    "\n\nIf you have completed tracing the problem, please switch off the diagnostic trace";
const char* const SwitchOnNote =
    "\n\nTo aid us in investigating the problem, please enable the diagnostic trace and then run "
    "Velmont again and then the Doctor so that the generated trace can be sent out for analysis";
const char* const ConfigName = "Doctor Test";
const char* const MainSection = "Software\\Tessaly\\Velmont\\Configurations\\Doctor Test\\Main";

std::string TextOf(unsigned id) {
    Str text;
    text.LoadText(id);
    return text.Text();
}

struct ShownReport {
    std::string diagnosis;
    std::string advice;
    LRESULT check = -1;
    bool linkBound = false;
    std::string linkText;
};

ShownReport ReadReport(HWND window) {
    ShownReport shown;
    shown.diagnosis = ItemText(window, IDC_DIAGNOSIS_TEXT);
    shown.advice = ItemText(window, IDC_ADVICE_TEXT);
    shown.check = SendDlgItemMessageA(window, IDC_GENERATE_TRACE, BM_GETCHECK, 0, 0);
    HWND link = GetDlgItem(window, IDC_REPORT_WEB_LINK);
    shown.linkBound = dynamic_cast<LinkLabel*>(TheApp->Windows.FindObject(link)) != nullptr;
    shown.linkText = WindowText(link);
    return shown;
}

// The product with one configuration whose trace mode is given (-1: no TraceMode value), made
// the current one on this thread.
void ArrangeProduct(int traceMode) {
    TestRegistry::SetString(HKEY_CURRENT_USER, TestRegistry::SettingsPath, "Config", ConfigName);
    TestRegistry::SetString(HKEY_CURRENT_USER, MainSection, "RootFolder", "C:\\Velmont");
    if (traceMode >= 0) {
        TestRegistry::SetDword(HKEY_CURRENT_USER, MainSection, "TraceMode", traceMode);
    }
    ConfigStore().Load();
}

int StoredTraceMode() {
    DWORD value = 0;
    if (!TestRegistry::GetDword(HKEY_CURRENT_USER, MainSection, "TraceMode", value)) {
        return -1;
    }
    return static_cast<int>(value);
}

} // namespace

TEST(ReportDialog, ShowsThePrognosisOfTheAnalysisResult) {
    struct Row {
        AnalysisResult result;
        unsigned diagnosis;
        unsigned advice;
    };
    const Row rows[] = {
        {{0, 5, 3}, 115, 114}, {{3, 0, 3}, 108, 109}, {{0, 0, 2}, 102, 103},
        {{1, 0, 0}, 112, 113}, {{0, 0, 0}, 102, 103}, {{0, 0, 3}, 116, 117},
    };
    ProgramApp app;
    Window mainWindow;
    Window reportLog;
    for (const Row& row : rows) {
        MemoryReport run;
        run.Analysis = row.result;
        ShownReport shown;
        WindowDriver driver([&] {
            HWND window = WaitForDialog(ReportCaption);
            ASSERT_NE(nullptr, window);
            shown = ReadReport(window);
            PressKey(window, VK_ESCAPE);
            WaitUntilGone(window);
        });
        ShowPrognosis(run, mainWindow, reportLog);
        std::string label = std::to_string(row.diagnosis) + "/" + std::to_string(row.advice);
        EXPECT_EQ(TextOf(row.diagnosis), shown.diagnosis) << label;
        EXPECT_EQ(TextOf(row.advice) + SwitchOnNote, shown.advice) << label;
        EXPECT_EQ(BST_UNCHECKED, shown.check) << label;
        EXPECT_TRUE(shown.linkBound) << label;
        EXPECT_EQ("http://www.velmont.example/", shown.linkText) << label;
    }
}

TEST(ReportDialog, TraceOnTicksTheBoxAndAsksToSwitchItOff) {
    ProgramApp app;
    Window mainWindow;
    Window reportLog;
    MemoryReport run;
    run.TraceModeOn = true;
    ShownReport shown;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(ReportCaption);
        ASSERT_NE(nullptr, window);
        shown = ReadReport(window);
    });
    ShowPrognosis(run, mainWindow, reportLog);
    EXPECT_EQ(TextOf(102), shown.diagnosis);
    EXPECT_EQ(TextOf(103) + SwitchOffNote, shown.advice);
    EXPECT_EQ(BST_CHECKED, shown.check);
}

TEST(ReportDialog, KeepsWhatTheSubmissionNeeds) {
    ProgramApp app;
    Window reportLog;
    ReportDialog dialog(nullptr, 115, 114, true, reportLog, Str("C:\\Program Files\\Velmont"));
    EXPECT_EQ(&reportLog, &dialog.ReportLog);
    EXPECT_STREQ("C:\\Program Files\\Velmont", dialog.InstallFolder.Text());
    EXPECT_EQ(TextOf(115), dialog.DiagnosisText.Text());
    EXPECT_EQ(TextOf(114) + SwitchOffNote, dialog.AdviceText.Text());
    EXPECT_EQ(1, dialog.GenerateTrace);
    EXPECT_TRUE(dialog.InstallLog.IsEmpty());
}

TEST(ReportDialog, CloseStoresAChangedTraceSwitchAndEscapeNothing) {
    enum Close { CloseButton, EnterKey, EscapeKey };
    struct Row {
        int storedBefore; // -1: no value
        bool traceOn;
        int tick; // -1 leave the box, 0 clear it, 1 tick it
        Close close;
        int storedAfter;
    };
    const Row rows[] = {
        {3, true, 0, CloseButton, 0},  {3, true, -1, CloseButton, 3}, {-1, false, -1, EnterKey, -1},
        {-1, false, 1, EnterKey, 3},   {-1, false, 1, EscapeKey, -1}, {3, true, 0, EscapeKey, 3},
        {0, false, 1, CloseButton, 3}, {5, true, -1, CloseButton, 5}, {1, true, -1, CloseButton, 1},
        {1, true, 0, CloseButton, 0},
    };
    ProgramApp app;
    ProductRegistryScope product;
    Window reportLog;
    int rowNumber = 0;
    for (const Row& row : rows) {
        ++rowNumber;
        TestRegistry::ClearProduct();
        ArrangeProduct(row.storedBefore);
        ReportDialog dialog(nullptr, 102, 103, row.traceOn, reportLog, Str());
        WindowDriver driver([&] {
            HWND window = WaitForDialog(ReportCaption);
            ASSERT_NE(nullptr, window);
            if (row.tick >= 0) {
                SendDlgItemMessageA(window, IDC_GENERATE_TRACE, BM_SETCHECK,
                                    row.tick ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            if (row.close == CloseButton) {
                PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
            } else {
                PressKey(window, row.close == EnterKey ? VK_RETURN : VK_ESCAPE);
            }
            WaitUntilGone(window);
        });
        INT_PTR result = dialog.DoModal();
        EXPECT_EQ(row.close == EscapeKey ? IDCANCEL : IDOK, result) << "row " << rowNumber;
        EXPECT_EQ(row.storedAfter, StoredTraceMode()) << "row " << rowNumber;
    }
}

namespace {

std::atomic<int> OpenCount{0};
std::string LastOpened;

// Stands in for the shell: records the address the link asks to open, and reports it opened.
bool RecordOpen(const char* address) {
    LastOpened = address;
    ++OpenCount;
    return true;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

COLORREF TextColourOf(HWND dialog, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control));
    COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

} // namespace

TEST(ReportDialog, TabReachesTheLinkAndEnterOrSpaceOpensIt) {
    ProgramApp app;
    Window reportLog;
    auto shellOpen = LinkLabel::openAddress;
    LinkLabel::openAddress = RecordOpen;
    OpenCount = 0;
    ReportDialog dialog(nullptr, 102, 103, false, reportLog, Str());
    bool linkFocused = false;
    int opensAfterEnter = 0, opensAfterSpace = 0;
    std::string address;
    COLORREF colour = CLR_INVALID;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(ReportCaption);
        ASSERT_NE(nullptr, window);
        HWND link = GetDlgItem(window, IDC_REPORT_WEB_LINK);
        // The controls above the link in reading order come first: each Tab moves the focus on.
        for (int tabs = 0; tabs < 8 && !linkFocused; ++tabs) {
            HWND before = FocusOf(window);
            PressKey(window, VK_TAB);
            WaitUntil([&] { return FocusOf(window) != before; });
            linkFocused = FocusOf(window) == link;
        }
        PressKey(window, VK_RETURN);
        WaitUntil([&] { return OpenCount == 1; });
        opensAfterEnter = OpenCount;
        address = LastOpened;
        colour = TextColourOf(window, link);
        PressKey(window, VK_SPACE); // the dialog is still there to take it
        WaitUntil([&] { return OpenCount == 2; });
        opensAfterSpace = OpenCount;
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    LinkLabel::openAddress = shellOpen;
    EXPECT_TRUE(linkFocused);
    EXPECT_EQ(1, opensAfterEnter);
    EXPECT_EQ(VLD_WEB_HOME, address);
    EXPECT_EQ(dialog.WebLink.visitedColour, colour);
    EXPECT_EQ(2, opensAfterSpace);
}
