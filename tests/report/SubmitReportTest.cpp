#include "report/SubmitReport.h"

#include "resources/ExampleTexts.h"

#include "report/ReportClipboard.h"
#include "trace/TraceLog.h"

#include "DialogWatcher.h"
#include "MailTestSupport.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* const Question = "Would you like the Doctor to prepare a mail message for you ?";
const char* const PasteNote = "The report has been pasted onto the Clipboard\nIn your favorite "
                              "E-mail program use Edit | Paste and send it to "
                              "'" VLD_SUPPORT_EMAIL "'\n";
const char* const Untouched = "clipboard before the submission";

class SubmitReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(NativeMapiPreferred()) << "WINEDLLOVERRIDES must contain mapi32=n";
        ASSERT_NE(nullptr, owner.Handle());
        ASSERT_TRUE(WriteBytes(installFolder.File("VLInst.log"), installLog));
        ASSERT_TRUE(SetClipboardText(Untouched));
        ConfigureTrace("flushed", 3, scratch.File("trace.log").c_str());
    }
    void TearDown() override { ConfigureTrace("none", 0, ""); }

    std::vector<std::string> Traced() {
        std::string text = ReadBytes(scratch.File("trace.log"));
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        return TracedLines(text);
    }

    // Submits with every box answered by the given button; gives the boxes seen.
    std::vector<SeenDialog> Submit(int answer, const std::string& report = DefaultReport) {
        DialogWatcher watcher(answer);
        Str logRead("stale");
        SubmitReport(owner.Handle(), report.c_str(), Diagnosis, installFolder.Path().c_str(),
                     logRead);
        EXPECT_TRUE(installLog == std::string(logRead.Text(), logRead.Length()));
        return watcher.Seen();
    }
    std::string Clipboard() {
        bool hasText = false;
        std::string text = ClipboardText(hasText);
        EXPECT_TRUE(hasText);
        return text;
    }
    void ExpectQuestionThenNote(const std::vector<SeenDialog>& boxes) {
        ASSERT_EQ(2u, boxes.size());
        EXPECT_EQ(Question, boxes[0].text);
        EXPECT_EQ(nullptr, boxes[0].owner);
        EXPECT_EQ(PasteNote, boxes[1].text);
        EXPECT_EQ(owner.Handle(), boxes[1].owner);
        EXPECT_EQ("Tessaly Software", boxes[1].caption);
    }
    void ExpectMessageOnClipboard(const std::string& report = DefaultReport) {
        std::string expected = ExpectedMessage(Diagnosis, report, installLog);
        std::string text = Clipboard();
        EXPECT_EQ(expected.size(), text.size());
        EXPECT_TRUE(expected == text);
    }

    static constexpr const char* Diagnosis =
        "I couldn't find anything wrong with your installation of Velmont.";
    static inline const std::string DefaultReport =
        "Velmont Doctor report\r\nInstallation folder C:\\Velmont\r\n\r\nAnalysis result 0:0:0\r\n";

    ScratchFolder scratch;
    ScratchFolder installFolder;
    std::string installLog = "Velmont setup log\r\nFile copied: VLMon.exe\r\n";
    std::string recordPath = scratch.File("mapi.txt");
    MapiOutcomes outcomes{recordPath};
    OwnerWindow owner;
};

} // namespace

TEST_F(SubmitReportTest, NoPutsTheMessageOnTheClipboardWithoutMail) {
    InstalledTestMapi installed;
    ExpectQuestionThenNote(Submit(IDNO));
    ExpectMessageOnClipboard();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(recordPath.c_str()));
    EXPECT_EQ(nullptr, GetModuleHandleA("MAPI32.DLL"));
}

TEST_F(SubmitReportTest, SentMailLeavesTheClipboardAndShowsNothing) {
    InstalledTestMapi installed;
    outcomes.Session(0x5E55);
    std::vector<SeenDialog> boxes = Submit(IDYES);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(Question, boxes[0].text);
    EXPECT_EQ(Untouched, Clipboard());
    EXPECT_EQ(nullptr, GetModuleHandleA("MAPI32.DLL"));

    std::string message = ExpectedMessage(Diagnosis, DefaultReport, installLog);
    std::string record = ReadBytes(recordPath);
    char ui[32];
    snprintf(ui, sizeof ui, "ui=%llx ",
             static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(owner.Handle())));
    EXPECT_EQ(0u, record.find(std::string("MAPILogon ") + ui));
    EXPECT_NE(std::string::npos, record.find(std::string(ui) + "flags=8 reserved=0\n"));
    EXPECT_NE(std::string::npos, record.find("recipient reserved=0 class=1 "
                                             "name=" VLD_SUPPORT_EMAIL " address=<null>"));
    EXPECT_NE(std::string::npos, record.find("subject=Velmont Diagnosis\n"));
    std::string note = "note " + std::to_string(message.size()) + "\n" + message + "\n";
    EXPECT_NE(std::string::npos, record.find(note));
    EXPECT_NE(std::string::npos, record.find("MAPILogoff "));
    std::vector<std::string> traced = {
        "AskQuestion:Would you like the Doctor to prepare a mail message for you ?",
        "MAPI Logon 5e55 0", "MAPI Send", "MAPI Logoff 5e55"};
    EXPECT_EQ(traced, Traced());
}

TEST_F(SubmitReportTest, EveryMailFailureFallsBackToTheClipboard) {
    struct Case {
        const char* name;
        unsigned logon;
        unsigned send;
    } cases[] = {
        {"logon cancelled", 1, 0},
        {"logon failed", 3, 0},
        {"compose window cancelled", 0, 1},
        {"mail refused", 0, 14},
    };
    InstalledTestMapi installed;
    for (const Case& c : cases) {
        SetClipboardText(Untouched);
        outcomes.Logon(c.logon);
        outcomes.Send(c.send);
        SCOPED_TRACE(c.name);
        ExpectQuestionThenNote(Submit(IDYES));
        ExpectMessageOnClipboard();
        EXPECT_EQ(nullptr, GetModuleHandleA("MAPI32.DLL"));
    }
}

TEST_F(SubmitReportTest, FailedLogoffAfterSendingShowsOnlyTheFailure) {
    InstalledTestMapi installed;
    outcomes.Logoff(23);
    std::vector<SeenDialog> boxes = Submit(IDYES);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Shutdown Logoff failed : Network Failure\n", boxes[1].text);
    EXPECT_EQ(Untouched, Clipboard());
}

TEST_F(SubmitReportTest, MissingLibraryFallsBackToTheClipboard) {
    std::vector<SeenDialog> boxes = Submit(IDYES);
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(Question, boxes[0].text);
    EXPECT_EQ(0u, boxes[1].text.find("Can not load MAPI mail access DLL "));
    EXPECT_EQ(PasteNote, boxes[2].text);
    ExpectMessageOnClipboard();
}

TEST_F(SubmitReportTest, MissingEntryPointFallsBackToTheClipboard) {
    InstalledTestMapi installed("incomplete");
    std::vector<SeenDialog> boxes = Submit(IDYES);
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("Cannot load MAPI functions\n", boxes[1].text);
    EXPECT_EQ(PasteNote, boxes[2].text);
    ExpectMessageOnClipboard();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(recordPath.c_str()));
}

TEST_F(SubmitReportTest, EmptyReportAndNoInstallationLog) {
    installLog.clear();
    ASSERT_TRUE(DeleteFileA(installFolder.File("VLInst.log").c_str()));
    ExpectQuestionThenNote(Submit(IDNO, ""));
    ExpectMessageOnClipboard("");
    EXPECT_EQ(ExpectedMessage(Diagnosis, "", ""), Clipboard());
}

TEST_F(SubmitReportTest, EachSubmissionRereadsTheLogAndReport) {
    ExpectQuestionThenNote(Submit(IDNO, "first"));
    installLog = "changed log\r\n";
    ASSERT_TRUE(WriteBytes(installFolder.File("VLInst.log"), installLog));
    ExpectQuestionThenNote(Submit(IDNO, "second"));
    ExpectMessageOnClipboard("second");
}

TEST_F(SubmitReportTest, ClipboardHeldElsewhereShowsNothing) {
    ASSERT_TRUE(OpenClipboard(owner.Handle()));
    DialogWatcher watcher(IDOK);
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* window) -> DWORD {
            return PutReportOnClipboard(static_cast<HWND>(window), "text") ? 1 : 0;
        },
        nullptr, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
    DWORD placed = 1;
    GetExitCodeThread(thread, &placed);
    CloseHandle(thread);
    CloseClipboard();
    EXPECT_EQ(0u, placed);
    EXPECT_TRUE(watcher.Seen().empty());
    EXPECT_EQ(Untouched, Clipboard());
}
