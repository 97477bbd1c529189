#include "app/DoctorApp.h"
#include "app/MainDialog.h"
#include "report/ReportMessage.h"

#include "MailTestSupport.h"
#include "ProgramApp.h"
#include "Programs.h"
#include "WindowDriver.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char* const MainCaption = "Doctor Velmont";
const char* const ReportCaption = "Doctor's Report";
// The international sample's installation folder.
const char* const InstallFolder = "C:\\Program Files (x86)\\Tessaly\\Velmont Ωμέγα";
// What the international sample's names and its Windows-1252 installation log line become.
const char* const UnicodeTexts[] = {"Configuration name 'Филиал Αθήνα 東京'",
                                    "Licensed to Müller\r\n"};

bool RunSampleTool(const char* variant) {
    ScratchFolder scratch;
    ProgramRun run = RunProgram(std::string("VLSample.exe ") + variant, scratch.File("out.txt"),
                                scratch.File("err.txt"));
    return run.finished && run.exitCode == 0;
}

// A sample (the international one unless named) laid for the test and removed after it; the
// program's start-up as the window would have it (trace settings, then the product configuration).
class SubmitSampleTest : public ::testing::Test {
protected:
    explicit SubmitSampleTest(const char* variant = "international") : variant(variant) {}

    void SetUp() override {
        ASSERT_TRUE(RunSampleTool(variant));
        app.StartUp();
        dialog.pauseMilliseconds = 0;
    }
    void TearDown() override { RunSampleTool("clean"); }

    // Diagnose, Submit, answer the question; the report log's text as it was submitted.
    std::string SubmitAfterARun(int answer) {
        std::string report;
        WindowDriver driver([&] {
            HWND main = WaitForDialog(MainCaption);
            ASSERT_NE(nullptr, main);
            PressKey(main, VK_RETURN);
            HWND dialogBox = WaitForDialog(ReportCaption);
            ASSERT_NE(nullptr, dialogBox);
            report = ItemText(main, IDC_REPORT_LOG);
            PostMessageA(GetDlgItem(dialogBox, IDC_SUBMIT), BM_CLICK, 0, 0);
            HWND question = WaitForDialog(app.ModuleName.Text());
            ASSERT_NE(nullptr, question);
            PostMessageA(question, WM_COMMAND, answer, 0);
            WaitUntilGone(question);
            if (answer == IDNO) {
                HWND note = WaitForDialog(app.ModuleName.Text());
                ASSERT_NE(nullptr, note);
                PostMessageA(note, WM_COMMAND, IDOK, 0);
                WaitUntilGone(note);
            }
            PressKey(dialogBox, VK_ESCAPE);
            WaitUntilGone(dialogBox);
            PressKey(main, VK_ESCAPE);
        });
        dialog.DoModal();
        return report;
    }

    // What support receives, kept beside the test program for people to read.
    static void Keep(const char* name, const std::string& text) {
        std::string folder = ProgramFolder() + "\\submission";
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteBytes(folder + "\\" + name, text);
    }

    const char* variant;
    ProgramApp app;
    MainDialog dialog;
    ScratchFolder scratch;
};

class CredentialsSampleTest : public SubmitSampleTest {
protected:
    CredentialsSampleTest() : SubmitSampleTest("credentials") {}

    std::string DoctorOutput(const char* mode) {
        std::string path = scratch.File(std::string(mode + 1) + ".txt");
        RunProgram(std::string("VLDoctor.exe ") + mode + " \"" + path + "\"", "", "");
        return ReadBytes(path);
    }
};

// The logins the sample product keeps in its monitor's trace log (three), a site name and its
// installation log.
const char* const SampleSecrets[] = {"Tr4ce-Secret", "bW9uaXRvcjpUcjRjZS1TZWNyZXQ=", "Tr4ce-T0ken",
                                     "S1te-Secret", "Inst4ll-Secret"};
const char* const ReportCount = "\r\n4 credentials masked in this report\r\n\r\nAnalysis result";
const char* const LogCount = "success\r\n\r\n1 credential masked in this installation log\r\n";

void ExpectNoSecrets(const std::string& text, const char* where) {
    EXPECT_NE(std::string::npos, text.find("monitor:****@intranet")) << where;
    for (const char* secret : SampleSecrets) {
        EXPECT_EQ(std::string::npos, text.find(secret)) << where << ": " << secret;
    }
    EXPECT_NE(std::string::npos, text.find(ReportCount)) << where;
}

std::string ExpectedMessage(const std::string& report) {
    Str diagnosis;
    diagnosis.LoadText(IDS_HEALTHY_DIAGNOSIS);
    Str log = ReadInstallLog(Str(InstallFolder));
    return BuildReportMessage(diagnosis, Str(report.c_str()), log).Text();
}

} // namespace

TEST_F(SubmitSampleTest, TheMailCarriesTheWholeMessageOfTheSample) {
    ASSERT_TRUE(NativeMapiPreferred()) << "run with WINEDLLOVERRIDES including mapi32=n";
    InstalledTestMapi library;
    ASSERT_TRUE(library.Installed());
    std::string recordPath = scratch.File("mail.txt");
    MapiOutcomes outcomes{recordPath};
    std::string report = SubmitAfterARun(IDYES);
    std::string record = ReadBytes(recordPath);
    Keep("mail-record.txt", record);
    std::string message = ExpectedMessage(report);
    EXPECT_NE(std::string::npos, report.find("\r\nAnalysis result 0:0:0\r\n"));
    EXPECT_NE(std::string::npos, message.find("\r\n\r\nInstallation Log :\r\n"));
    for (const char* text : UnicodeTexts) {
        EXPECT_NE(std::string::npos, message.find(text)) << text;
    }
    EXPECT_NE(std::string::npos,
              record.find("note " + std::to_string(message.size()) + "\n" + message + "\n"));
    EXPECT_NE(std::string::npos, record.find("subject=Velmont Diagnosis\n"));
}

TEST_F(SubmitSampleTest, TheClipboardHoldsTheSameMessageWhenTheUserDeclines) {
    std::string report = SubmitAfterARun(IDNO);
    bool hasText = false;
    std::string clipboard = ClipboardText(hasText);
    Keep("clipboard.txt", clipboard);
    EXPECT_TRUE(hasText);
    EXPECT_TRUE(clipboard == ExpectedMessage(report));
    for (const char* text : UnicodeTexts) {
        EXPECT_NE(std::string::npos, clipboard.find(text)) << text;
    }
    EXPECT_GT(clipboard.size(), report.size());
}

TEST_F(CredentialsSampleTest, NoCredentialReachesTheReportModesOrTheMail) {
    ASSERT_TRUE(NativeMapiPreferred()) << "run with WINEDLLOVERRIDES including mapi32=n";
    std::string report = DoctorOutput("/report");
    ExpectNoSecrets(report, "/report");
    std::string message = DoctorOutput("/message");
    ExpectNoSecrets(message, "/message");
    EXPECT_EQ(message.size() - strlen(LogCount), message.rfind(LogCount));

    InstalledTestMapi library;
    ASSERT_TRUE(library.Installed());
    std::string recordPath = scratch.File("mail.txt");
    MapiOutcomes outcomes{recordPath};
    SubmitAfterARun(IDYES);
    std::string record = ReadBytes(recordPath);
    ExpectNoSecrets(record, "mail");
    EXPECT_NE(std::string::npos, record.find(std::string(LogCount) + "\n"));
}

TEST_F(CredentialsSampleTest, NoCredentialReachesTheClipboard) {
    SubmitAfterARun(IDNO);
    bool hasText = false;
    std::string clipboard = ClipboardText(hasText);
    ExpectNoSecrets(clipboard, "clipboard");
    EXPECT_EQ(clipboard.size() - strlen(LogCount), clipboard.rfind(LogCount));
}
