#include "app/DoctorApp.h"
#include "app/MainDialog.h"
#include "resources/ExampleTexts.h"

#include "MailTestSupport.h"
#include "ProgramApp.h"
#include "Registry.h"
#include "WindowDriver.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const MainCaption = "Doctor Velmont";
const char* const ReportCaption = "Doctor's Report";

// The main window after a run of the absent product, its report dialog open.
class SubmitFromDialogTest : public ::testing::Test {
protected:
    SubmitFromDialogTest() { dialog.pauseMilliseconds = 0; }

    HWND OpenReport(HWND& main) {
        main = WaitForDialog(MainCaption);
        if (!main) {
            return nullptr;
        }
        PressKey(main, VK_RETURN);
        return WaitForDialog(ReportCaption);
    }

    HWND NextBox(HWND after) {
        if (after) {
            WaitUntilGone(after);
        }
        return WaitForDialog(app.ModuleName.Text());
    }

    ProgramApp app;
    ProductRegistryScope product;
    MainDialog dialog;
};

std::string NoteFor(const std::string& address) {
    return "The report has been pasted onto the Clipboard\nIn your favorite E-mail program use "
           "Edit | Paste and send it to '" +
           address + "'\n";
}

} // namespace

TEST_F(SubmitFromDialogTest, NoPutsTheWholeReportOnTheClipboardAndKeepsTheDialogOpen) {
    ASSERT_TRUE(SetClipboardText("before"));
    struct {
        std::string report, question, note;
        bool noteOwnedByReport = false, reportOpenAfter = false, mailLoaded = true;
    } seen;
    WindowDriver driver([&] {
        HWND main = nullptr;
        HWND report = OpenReport(main);
        ASSERT_NE(nullptr, report);
        seen.report = ItemText(main, IDC_REPORT_LOG);
        PostMessageA(GetDlgItem(report, IDC_SUBMIT), BM_CLICK, 0, 0);
        HWND question = NextBox(nullptr);
        ASSERT_NE(nullptr, question);
        seen.question = ItemText(question, 0xFFFF);
        PostMessageA(question, WM_COMMAND, IDNO, 0);
        HWND note = NextBox(question);
        ASSERT_NE(nullptr, note);
        seen.note = ItemText(note, 0xFFFF);
        seen.noteOwnedByReport = GetWindow(note, GW_OWNER) == report;
        PostMessageA(note, WM_COMMAND, IDOK, 0);
        WaitUntilGone(note);
        seen.reportOpenAfter = IsWindowVisible(report) && IsWindowEnabled(report);
        seen.mailLoaded = GetModuleHandleA("MAPI32.DLL") != nullptr;
        PressKey(report, VK_ESCAPE);
        WaitUntilGone(report);
        PressKey(main, VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("Would you like the Doctor to prepare a mail message for you ?", seen.question);
    EXPECT_EQ(NoteFor(VLD_SUPPORT_EMAIL), seen.note);
    EXPECT_TRUE(seen.noteOwnedByReport);
    EXPECT_TRUE(seen.reportOpenAfter);
    EXPECT_FALSE(seen.mailLoaded);
    bool hasText = false;
    std::string clipboard = ClipboardText(hasText);
    std::string expected = "Please add a description of the problem you are having :\r\n"
                           "<Your problem description>\r\n\r\n\r\nDoctor's Prognosis :\r\n"
                           "I can find little evidence that Velmont has been installed on this "
                           "computer.\r\n\r\nDoctor's Report :\r\n" +
                           seen.report + "\r\n\r\nInstallation Log :\r\n";
    EXPECT_TRUE(hasText);
    EXPECT_EQ(expected, clipboard);
}

// A mail failure box shown during Submit belongs to the report dialog: closing it must not free
// the main window under the still open dialog, where Diagnose could start a second run.
TEST_F(SubmitFromDialogTest, AMailLibraryFailureKeepsTheMainWindowDisabled) {
    ASSERT_TRUE(NativeMapiPreferred()) << "run with WINEDLLOVERRIDES including mapi32=n";
    struct {
        std::string failure;
        bool ownedByReport = false, reportDisabledWhileUp = false, mainDisabledWhileUp = false,
             mainDisabledAfterFailure = false, mainDisabledAfterNote = false,
             reportEnabledAfterNote = false, mainEnabledAtLast = false;
    } seen;
    WindowDriver driver([&] {
        HWND main = nullptr;
        HWND report = OpenReport(main);
        ASSERT_NE(nullptr, report);
        PostMessageA(GetDlgItem(report, IDC_SUBMIT), BM_CLICK, 0, 0);
        HWND question = NextBox(nullptr);
        ASSERT_NE(nullptr, question);
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        HWND failure = NextBox(question);
        ASSERT_NE(nullptr, failure);
        seen.failure = ItemText(failure, 0xFFFF);
        seen.ownedByReport = GetWindow(failure, GW_OWNER) == report;
        seen.reportDisabledWhileUp = !IsWindowEnabled(report);
        seen.mainDisabledWhileUp = !IsWindowEnabled(main);
        PostMessageA(failure, WM_COMMAND, IDOK, 0);
        HWND note = NextBox(failure);
        seen.mainDisabledAfterFailure = !IsWindowEnabled(main);
        ASSERT_NE(nullptr, note);
        PostMessageA(note, WM_COMMAND, IDOK, 0);
        WaitUntilGone(note);
        seen.mainDisabledAfterNote = !IsWindowEnabled(main);
        seen.reportEnabledAfterNote = IsWindowEnabled(report) != FALSE;
        PressKey(report, VK_ESCAPE);
        WaitUntilGone(report);
        seen.mainEnabledAtLast = IsWindowEnabled(main) != FALSE;
        PressKey(main, VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(0u, seen.failure.rfind("Can not load MAPI mail access DLL ", 0)) << seen.failure;
    EXPECT_TRUE(seen.ownedByReport);
    EXPECT_TRUE(seen.reportDisabledWhileUp);
    EXPECT_TRUE(seen.mainDisabledWhileUp);
    EXPECT_TRUE(seen.mainDisabledAfterFailure);
    EXPECT_TRUE(seen.mainDisabledAfterNote);
    EXPECT_TRUE(seen.reportEnabledAfterNote);
    EXPECT_TRUE(seen.mainEnabledAtLast);
}
