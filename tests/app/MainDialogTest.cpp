#include "app/MainDialog.h"
#include "app/DoctorApp.h"
#include "app/JsonReport.h"
#include "diagnosis/DiagnosisPass.h"
#include "diagnosis/MemoryReport.h"
#include "framework/LinkLabel.h"
#include "report/Prognosis.h"
#include "resources/ExampleTexts.h"

#include "DialogWatcher.h"
#include "ProgramApp.h"
#include "Registry.h"
#include "ReportRun.h"
#include "WindowDriver.h"
#include "resources/ResourceIds.h"
#include "resources/Version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const MainCaption = "Doctor Velmont";
const char* const ReportCaption = "Doctor's Report";
const char* const HelpCaption = "Velmont Doctor Help";
const char* const AboutCaption = "About Velmont Doctor ";
const char* const ReadyText = "Ready for analysis to begin. Press  Diagnose to begin";
const char* const CheckingText = "Checking Velmont - Please wait a moment";
const char* const DoneText = "Scan complete - all done";

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { dialog.pauseMilliseconds = 0; }

    ProgramApp app;
    ProductRegistryScope product; // no product: the state every run here diagnoses
    MainDialog dialog;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

// The report of the same machine state in memory; the time line is the one line that differs.
std::vector<std::string> ReportWithoutTime(const std::string& text) {
    std::vector<std::string> kept;
    for (const std::string& line : Lines(text)) {
        if (line.rfind("Time ", 0) != 0) {
            kept.push_back(line);
        }
    }
    return kept;
}

std::string ReferenceReport() {
    MemoryReport reference;
    RunDiagnosisPass(reference);
    return reference.Text().Text();
}

std::string TextOf(unsigned id) {
    Str text;
    text.LoadText(id);
    return text.Text();
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

struct RunSeen {
    std::string statusDuring;
    std::string statusAfter;
    std::string log;
    std::string diagnosis;
    std::string advice;
    bool reportOwnedByMain = false;
    bool mainDisabledDuring = false;
};

// Waits for the report dialog of a run that was just started, reads everything, closes it.
RunSeen FinishRun(HWND main) {
    RunSeen seen;
    HWND report = WaitForDialog(ReportCaption);
    if (!report) {
        return seen;
    }
    seen.statusDuring = ItemText(main, IDC_STATUS_LINE);
    seen.log = ItemText(main, IDC_REPORT_LOG);
    seen.diagnosis = ItemText(report, IDC_DIAGNOSIS_TEXT);
    seen.advice = ItemText(report, IDC_ADVICE_TEXT);
    seen.reportOwnedByMain = GetWindow(report, GW_OWNER) == main;
    seen.mainDisabledDuring = !IsWindowEnabled(main);
    PressKey(report, VK_ESCAPE);
    WaitUntilGone(report);
    WaitUntil([&] { return ItemText(main, IDC_STATUS_LINE) == DoneText; });
    seen.statusAfter = ItemText(main, IDC_STATUS_LINE);
    return seen;
}

} // namespace

TEST_F(MainWindowTest, EnterRunsADiagnosisIntoTheReportLog) {
    std::string readyStatus, readyLog;
    RunSeen run;
    WindowDriver driver([&] {
        HWND main = WaitForDialog(MainCaption);
        ASSERT_NE(nullptr, main);
        readyStatus = ItemText(main, IDC_STATUS_LINE);
        readyLog = ItemText(main, IDC_REPORT_LOG);
        PressKey(main, VK_RETURN);
        run = FinishRun(main);
        PressKey(main, VK_ESCAPE);
        WaitUntilGone(main);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(ReadyText, readyStatus);
    EXPECT_TRUE(readyLog.empty());
    EXPECT_EQ(CheckingText, run.statusDuring);
    EXPECT_EQ(DoneText, run.statusAfter);
    EXPECT_EQ(0u, run.log.rfind("Velmont Doctor version '" VLD_VERSION_TEXT "'\r\n", 0));
    ASSERT_GE(run.log.size(), 2u);
    EXPECT_EQ("\r\n", run.log.substr(run.log.size() - 2));
    EXPECT_TRUE(ReportWithoutTime(ReferenceReport()) == ReportWithoutTime(run.log));
    EXPECT_EQ(1u, Occurrences(run.log, "\r\nTime "));
    Prognosis prognosis = PrognosisFor(dialog.Analysis);
    EXPECT_EQ(TextOf(prognosis.diagnosisId), run.diagnosis);
    EXPECT_EQ(0u, run.advice.rfind(TextOf(prognosis.adviceId), 0));
    EXPECT_TRUE(run.reportOwnedByMain);
    EXPECT_TRUE(run.mainDisabledDuring);
}

// The installation is mended between the two runs: the second run's report, facts and JSON are
// those of a first run on the mended installation, nothing of the first run left in them.
TEST_F(MainWindowTest, TheDiagnoseButtonRunsAgainAndReplacesTheReport) {
    RunSeen first, second;
    ASSERT_TRUE(LaySample("missing-file"));
    WindowDriver driver([&] {
        HWND main = WaitForDialog(MainCaption);
        ASSERT_NE(nullptr, main);
        PostMessageA(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
        first = FinishRun(main);
        ASSERT_TRUE(LaySample("healthy"));
        SetDlgItemTextA(main, IDC_REPORT_LOG, (first.log + "a stale line\r\n").c_str());
        PostMessageA(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
        second = FinishRun(main);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(CheckingText, second.statusDuring);
    EXPECT_EQ(DoneText, second.statusAfter);
    EXPECT_EQ(1u, Occurrences(second.log, "Velmont Doctor version"));
    EXPECT_EQ(0u, Occurrences(second.log, "a stale line"));
    EXPECT_TRUE(ReportWithoutTime(first.log) != ReportWithoutTime(second.log));
    MemoryReport reference;
    RunDiagnosisPass(reference);
    EXPECT_TRUE(ReportWithoutTime(reference.Text().Text()) == ReportWithoutTime(second.log));
    nlohmann::json seen =
        nlohmann::json::parse(BuildJsonReport(dialog, Str(second.log.c_str())).Text());
    nlohmann::json expected =
        nlohmann::json::parse(BuildJsonReport(reference, reference.Text()).Text());
    for (nlohmann::json* json : {&seen, &expected}) {
        json->erase("time");
        json->erase("report");
    }
    EXPECT_EQ(expected, seen);
    LaySample("clean");
}

TEST_F(MainWindowTest, ThePrognosisFollowsTwoSecondsAfterTheChecks) {
    dialog.pauseMilliseconds = 2000;
    DWORD elapsed = 0;
    WindowDriver driver([&] {
        HWND main = WaitForDialog(MainCaption);
        ASSERT_NE(nullptr, main);
        DWORD start = GetTickCount();
        PressKey(main, VK_RETURN);
        HWND report = WaitForDialog(ReportCaption);
        elapsed = GetTickCount() - start;
        ASSERT_NE(nullptr, report);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_GE(elapsed, 1980u);
}

TEST_F(MainWindowTest, OpensWithItsIconCentredAndWithRoomForLongReports) {
    LRESULT dragIcon = 0, limit = 0;
    ULONG_PTR classIcon = 0;
    RECT placed = {};
    WindowDriver driver([&] {
        HWND main = WaitForDialog(MainCaption);
        ASSERT_NE(nullptr, main);
        dragIcon = SendMessageA(main, WM_QUERYDRAGICON, 0, 0);
        classIcon = GetClassLongPtrA(main, GCLP_HICON);
        limit = SendDlgItemMessageA(main, IDC_REPORT_LOG, EM_GETLIMITTEXT, 0, 0);
        GetWindowRect(main, &placed);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_NE(nullptr, dialog.Icon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(dialog.Icon), dragIcon);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(dialog.Icon), classIcon);
    EXPECT_EQ(65535, limit);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (placed.right - placed.left)) / 2, placed.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (placed.bottom - placed.top)) / 2, placed.top);
}

TEST_F(MainWindowTest, HelpOpensWithItsThreeLinksBound) {
    struct {
        bool linksBound[3] = {};
        std::string linkTexts[3];
        bool mailAddressIsLink = true;
        std::string mailAddress;
        bool mainDisabledDuring = false;
        bool mainEnabledAfter = false;
        HWND owner = nullptr;
    } seen;
    HWND mainSeen = nullptr;
    WindowDriver driver([&] {
        HWND main = mainSeen = WaitForDialog(MainCaption);
        ASSERT_NE(nullptr, main);
        PostMessageA(GetDlgItem(main, IDHELP), BM_CLICK, 0, 0);
        HWND help = WaitForDialog(HelpCaption);
        ASSERT_NE(nullptr, help);
        const int links[3] = {IDC_HELP_HOME_LINK, IDC_HELP_TIPS_LINK, IDC_HELP_CONTACT_LINK};
        for (int i = 0; i < 3; ++i) {
            HWND link = GetDlgItem(help, links[i]);
            seen.linksBound[i] = dynamic_cast<LinkLabel*>(app.Windows.FindObject(link)) != nullptr;
            seen.linkTexts[i] = WindowText(link);
        }
        HWND mail = FindWindowExA(help, nullptr, "Static", VLD_SUPPORT_EMAIL);
        seen.mailAddress = WindowText(mail);
        seen.mailAddressIsLink = app.Windows.FindObject(mail) != nullptr;
        seen.owner = GetWindow(help, GW_OWNER);
        seen.mainDisabledDuring = !IsWindowEnabled(main);
        PressKey(help, VK_RETURN); // Close has the focus at the start, not the first link
        WaitUntilGone(help);
        seen.mainEnabledAfter = IsWindowEnabled(main) && IsWindowVisible(main);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    for (bool bound : seen.linksBound) {
        EXPECT_TRUE(bound);
    }
    EXPECT_EQ(VLD_WEB_HOME, seen.linkTexts[0]);
    EXPECT_EQ(VLD_WEB_FAQ, seen.linkTexts[1]);
    EXPECT_EQ(VLD_WEB_CONTACT, seen.linkTexts[2]);
    EXPECT_EQ(VLD_SUPPORT_EMAIL, seen.mailAddress);
    EXPECT_FALSE(seen.mailAddressIsLink);
    EXPECT_EQ(mainSeen, seen.owner);
    EXPECT_TRUE(seen.mainDisabledDuring);
    EXPECT_TRUE(seen.mainEnabledAfter);
}

TEST_F(MainWindowTest, AboutOpensFromTheSystemMenuWhateverTheLowFourBits) {
    struct Seen {
        bool opened = false;
        bool linkBound = false;
        std::string linkText;
    };
    const WPARAM commands[] = {0x0010, 0x001F, 0x0013};
    Seen seen[3];
    int menuItems = 0;
    UINT lastItemId = 0, separatorState = 0;
    char lastItemText[64] = {};
    BOOL otherCommandAnswered = FALSE;
    WindowDriver driver([&] {
        HWND main = WaitForDialog(MainCaption);
        ASSERT_NE(nullptr, main);
        HMENU systemMenu = GetSystemMenu(main, FALSE);
        menuItems = GetMenuItemCount(systemMenu);
        lastItemId = GetMenuItemID(systemMenu, menuItems - 1);
        GetMenuStringA(systemMenu, menuItems - 1, lastItemText, sizeof lastItemText, MF_BYPOSITION);
        separatorState = GetMenuState(systemMenu, menuItems - 2, MF_BYPOSITION);
        for (int i = 0; i < 3; ++i) {
            SetForegroundWindow(main);
            PostMessageA(main, WM_SYSCOMMAND, commands[i], 0);
            HWND about = WaitForDialog(AboutCaption);
            seen[i].opened = about != nullptr;
            if (!about) {
                continue;
            }
            HWND link = GetDlgItem(about, IDC_ABOUT_WEB_LINK);
            seen[i].linkBound = dynamic_cast<LinkLabel*>(app.Windows.FindObject(link)) != nullptr;
            seen[i].linkText = WindowText(link);
            PressKey(about, VK_ESCAPE);
            WaitUntilGone(about);
        }
        // Another system command goes to the default handling: no about box, an answer at once.
        DWORD_PTR answer = 0;
        otherCommandAnswered =
            SendMessageTimeoutA(main, WM_SYSCOMMAND, 0x0020, 0, SMTO_NORMAL, 5000, &answer) != 0;
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(0x0010u, lastItemId);
    EXPECT_STREQ("&About VLDoctor...", lastItemText);
    EXPECT_TRUE(separatorState & MF_SEPARATOR);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(seen[i].opened) << commands[i];
        EXPECT_TRUE(seen[i].linkBound) << commands[i];
        EXPECT_EQ(VLD_WEB_HOME, seen[i].linkText) << commands[i];
    }
    EXPECT_TRUE(otherCommandAnswered);
}

// A message box shown from a dialog over the main window belongs to that dialog: closing it
// must not free the main window under the still open dialog.
TEST_F(MainWindowTest, ALinkFailureInHelpLeavesTheMainWindowDisabled) {
    const std::string address = "C:\\no\\such\\folder\\page.htm";
    struct {
        std::string text;
        bool ownedByHelp = false;
        bool helpDisabledWhileUp = false;
        bool mainDisabledWhileUp = false;
        bool helpEnabledAfter = false;
        bool mainDisabledAfter = false;
        bool mainEnabledAtLast = false;
    } seen;
    WindowDriver driver([&] {
        HWND main = WaitForDialog(MainCaption);
        ASSERT_NE(nullptr, main);
        PostMessageA(GetDlgItem(main, IDHELP), BM_CLICK, 0, 0);
        HWND help = WaitForDialog(HelpCaption);
        ASSERT_NE(nullptr, help);
        HWND link = GetDlgItem(help, IDC_HELP_HOME_LINK);
        SetWindowTextA(link, address.c_str());
        PostMessageA(help, WM_COMMAND, MAKEWPARAM(IDC_HELP_HOME_LINK, STN_CLICKED),
                     reinterpret_cast<LPARAM>(link));
        HWND box = WaitForDialog(app.ModuleName.Text());
        ASSERT_NE(nullptr, box);
        seen.text = ItemText(box, 0xFFFF);
        seen.ownedByHelp = GetWindow(box, GW_OWNER) == help;
        seen.helpDisabledWhileUp = !IsWindowEnabled(help);
        seen.mainDisabledWhileUp = !IsWindowEnabled(main);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitUntilGone(box);
        seen.helpEnabledAfter = IsWindowEnabled(help) != FALSE;
        seen.mainDisabledAfter = !IsWindowEnabled(main);
        PressKey(help, VK_ESCAPE);
        WaitUntilGone(help);
        seen.mainEnabledAtLast = IsWindowEnabled(main) != FALSE;
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("Unable to display web site page '" + address + "'\n", seen.text);
    EXPECT_TRUE(seen.ownedByHelp);
    EXPECT_TRUE(seen.helpDisabledWhileUp);
    EXPECT_TRUE(seen.mainDisabledWhileUp);
    EXPECT_TRUE(seen.helpEnabledAfter);
    EXPECT_TRUE(seen.mainDisabledAfter);
    EXPECT_TRUE(seen.mainEnabledAtLast);
}
