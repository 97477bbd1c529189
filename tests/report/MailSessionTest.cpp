#include "report/MailSession.h"

#include "base/SystemErrorText.h"
#include "report/MapiLibrary.h"
#include "trace/TraceLog.h"

#include "DialogWatcher.h"
#include "MailTestSupport.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const LHANDLE WideSession = 0x1234ABCD5678ull;

class LoadedMapi {
public:
    LoadedMapi() : library(LoadMapi()) {}
    LoadedMapi(const LoadedMapi&) = delete;
    LoadedMapi& operator=(const LoadedMapi&) = delete;
    ~LoadedMapi() { UnloadMapi(library); }

    HMODULE Handle() const { return library; }

private:
    HMODULE library;
};

std::string WithoutCarriageReturns(const std::string& text) {
    std::string lines;
    std::copy_if(text.begin(), text.end(), std::back_inserter(lines),
                 [](char c) { return c != '\r'; });
    return lines;
}

std::string Hex(unsigned long long value) {
    char text[32];
    snprintf(text, sizeof text, "%llx", value);
    return text;
}

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

bool SamePath(const std::string& left, const std::string& right) {
    return _stricmp(left.c_str(), right.c_str()) == 0;
}

bool AllEntryPointsSet(bool set) {
    const MapiFunctions& f = TheMapi;
    const void* points[] = {
        reinterpret_cast<const void*>(f.Logon),      reinterpret_cast<const void*>(f.Logoff),
        reinterpret_cast<const void*>(f.SendMail),   reinterpret_cast<const void*>(f.SaveMail),
        reinterpret_cast<const void*>(f.ReadMail),   reinterpret_cast<const void*>(f.DeleteMail),
        reinterpret_cast<const void*>(f.FindNext),   reinterpret_cast<const void*>(f.FreeBuffer),
        reinterpret_cast<const void*>(f.Address),    reinterpret_cast<const void*>(f.Details),
        reinterpret_cast<const void*>(f.ResolveName)};
    return std::all_of(std::begin(points), std::end(points),
                       [set](const void* p) { return (p != nullptr) == set; });
}

std::vector<std::string> BoxTexts(DialogWatcher& watcher) {
    std::vector<std::string> texts;
    for (const SeenDialog& box : watcher.Seen()) {
        texts.push_back(box.text);
    }
    return texts;
}

class MailSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(NativeMapiPreferred()) << "WINEDLLOVERRIDES must contain mapi32=n";
        ConfigureTrace("flushed", 3, tracePath.c_str());
    }
    void TearDown() override { ConfigureTrace("none", 0, ""); }

    std::vector<std::string> Traced() {
        return TracedLines(WithoutCarriageReturns(ReadBytes(tracePath)));
    }
    std::string Recorded() { return ReadBytes(recordPath); }
    bool TracesText(const std::string& text) {
        std::string traced = WithoutCarriageReturns(ReadBytes(tracePath));
        return traced.find(WithoutCarriageReturns(text)) != std::string::npos;
    }
    bool Traces(const std::string& line) {
        std::vector<std::string> lines = Traced();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    ScratchFolder scratch;
    std::string tracePath = scratch.File("trace.log");
    std::string recordPath = scratch.File("mapi.txt");
    MapiOutcomes outcomes{recordPath};
};

} // namespace

TEST_F(MailSessionTest, LibraryComesFromTheSystemFolderWithAllEntryPoints) {
    InstalledTestMapi installed;
    ASSERT_TRUE(installed.Installed());
    std::string path;
    {
        LoadedMapi mapi;
        ASSERT_NE(nullptr, mapi.Handle());
        path = ModulePath(mapi.Handle());
        EXPECT_TRUE(SamePath(MapiLibraryPath().Text(), path)) << path;
        EXPECT_TRUE(AllEntryPointsSet(true));
    }
    EXPECT_TRUE(AllEntryPointsSet(false));
    EXPECT_EQ(nullptr, GetModuleHandleA(path.c_str()));
}

TEST_F(MailSessionTest, LibraryBesideTheProgramIsNeverLoaded) {
    PlantedTestMapi planted;
    ASSERT_TRUE(planted.Planted());
    {
        DialogWatcher watcher(IDOK);
        LoadedMapi mapi;
        EXPECT_EQ(nullptr, mapi.Handle());
        std::string expected = "Can not load MAPI mail access DLL ";
        expected += SystemErrorText(ERROR_MOD_NOT_FOUND).Text();
        EXPECT_EQ(std::vector<std::string>{expected + "\n"}, BoxTexts(watcher));
    }
    EXPECT_EQ(nullptr, GetModuleHandleA("MAPI32.DLL"));
    InstalledTestMapi installed;
    ASSERT_TRUE(installed.Installed());
    LoadedMapi mapi;
    ASSERT_NE(nullptr, mapi.Handle());
    EXPECT_TRUE(SamePath(MapiLibraryPath().Text(), ModulePath(mapi.Handle())));
}

TEST_F(MailSessionTest, MissingLibraryIsShownAndTraced) {
    DialogWatcher watcher(IDOK);
    LoadedMapi mapi;
    EXPECT_EQ(nullptr, mapi.Handle());
    std::string text = "Can not load MAPI mail access DLL ";
    text += SystemErrorText(ERROR_MOD_NOT_FOUND).Text();
    std::vector<SeenDialog> boxes = watcher.Seen();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(text + "\n", boxes[0].text);
    EXPECT_EQ("Tessaly Software", boxes[0].caption);
    EXPECT_TRUE(TracesText(" Message Box displayed :" + text + "\n"));
    EXPECT_TRUE(AllEntryPointsSet(false));
}

TEST_F(MailSessionTest, MissingEntryPointIsShownAndTheLibraryReleased) {
    InstalledTestMapi installed("incomplete");
    ASSERT_TRUE(installed.Installed());
    DialogWatcher watcher(IDOK);
    LoadedMapi mapi;
    EXPECT_EQ(nullptr, mapi.Handle());
    EXPECT_EQ(std::vector<std::string>{"Cannot load MAPI functions\n"}, BoxTexts(watcher));
    EXPECT_TRUE(Traces("Message Box displayed :Cannot load MAPI functions"));
    EXPECT_EQ(nullptr, GetModuleHandleA(MapiLibraryPath().Text()));
    EXPECT_TRUE(AllEntryPointsSet(false));
}

// The UTF-16 call where the library has it, else the 8-bit one: the same characters either way.
TEST_F(MailSessionTest, LogonSendLogoffPassEverythingToTheLibrary) {
    struct Build {
        const char* name;
        const char* sendCall;
    };
    for (Build build : {Build{"complete", "MAPISendMailW"}, Build{"narrow", "MAPISendMail"}}) {
        ConfigureTrace("none", 0, "");
        ASSERT_TRUE(DeleteFileA(recordPath.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND);
        ASSERT_TRUE(DeleteFileA(tracePath.c_str())) << GetLastError();
        ConfigureTrace("flushed", 3, tracePath.c_str());
        InstalledTestMapi installed(build.name);
        OwnerWindow owner;
        outcomes.Session(WideSession);
        LoadedMapi mapi;
        ASSERT_NE(nullptr, mapi.Handle());
        MailSession session;
        EXPECT_FALSE(session.HasSession());
        ASSERT_TRUE(session.Logon(owner.Handle()));
        EXPECT_TRUE(session.HasSession());
        EXPECT_EQ(WideSession, session.Session());
        std::string note = "Line one\r\nGrüße, Отчёт, Αθήνα, 東京\r\n\ttabbed \"quoted\" 100%s";
        EXPECT_TRUE(session.Send("support@velmont.example", "Velmont Diagnosis Ω", note.c_str(),
                                 owner.Handle()));
        EXPECT_EQ(0u, session.LastError());
        EXPECT_TRUE(session.Logoff());
        EXPECT_FALSE(session.HasSession());

        std::string ui = Hex(reinterpret_cast<ULONG_PTR>(owner.Handle()));
        std::string expected =
            "MAPILogon ui=" + ui + " profile=<null> password=<null> flags=1 reserved=0\n" +
            build.sendCall + " session=1234abcd5678 ui=" + ui + " flags=8 reserved=0\n" +
            "message reserved=0 flags=0 type=<null> date=<null> conversation=<null> "
            "originator=<null> recipients=1 files=0 attachments=<null>\n"
            "recipient reserved=0 class=1 name=support@velmont.example address=<null> eidsize=0 "
            "eid=<null>\n"
            "subject=Velmont Diagnosis Ω\n" +
            "note " + std::to_string(note.size()) + "\n" + note + "\n" +
            "MAPILogoff session=1234abcd5678 ui=0 flags=0 reserved=0\n";
        EXPECT_EQ(expected, Recorded()) << build.name;
        std::vector<std::string> traced = {"MAPI Logon abcd5678 0", "MAPI Send",
                                           "MAPI Logoff abcd5678"};
        EXPECT_EQ(traced, Traced()) << build.name;
    }
}

TEST_F(MailSessionTest, NoOwnerGivesWindowParameterZero) {
    InstalledTestMapi installed;
    LoadedMapi mapi;
    MailSession session;
    ASSERT_TRUE(session.Logon(nullptr));
    EXPECT_TRUE(session.Send("x", "", "", nullptr));
    std::string record = Recorded();
    EXPECT_EQ(0u, record.find("MAPILogon ui=0 "));
    EXPECT_NE(std::string::npos, record.find("ui=0 flags=8 "));
}

TEST_F(MailSessionTest, FailedOrCancelledLogonOpensNothingAndShowsNothing) {
    InstalledTestMapi installed;
    LoadedMapi mapi;
    for (uint32_t code : {1u, 2u, 3u, 26u, 27u}) {
        DeleteFileA(recordPath.c_str());
        outcomes.Logon(code);
        DialogWatcher watcher(IDOK);
        {
            MailSession session;
            EXPECT_FALSE(session.Logon(nullptr)) << code;
            EXPECT_FALSE(session.HasSession()) << code;
            EXPECT_EQ(code, session.LastError());
            EXPECT_FALSE(session.Send("x", "y", "z", nullptr));
            EXPECT_EQ(20u, session.LastError());
        }
        EXPECT_TRUE(watcher.Seen().empty()) << code;
        EXPECT_TRUE(Traces("MAPI Logon ffffffff " + std::to_string(code))) << code;
        EXPECT_EQ("MAPILogon ui=0 profile=<null> password=<null> flags=1 reserved=0\n", Recorded());
    }
}

TEST_F(MailSessionTest, FailedOrCancelledSendShowsNothing) {
    InstalledTestMapi installed;
    LoadedMapi mapi;
    for (uint32_t code : {1u, 14u, 18u, 40u}) {
        outcomes.Send(code);
        DialogWatcher watcher(IDOK);
        MailSession session;
        ASSERT_TRUE(session.Logon(nullptr));
        EXPECT_FALSE(session.Send("support@velmont.example", "s", "t", nullptr)) << code;
        EXPECT_EQ(code, session.LastError());
        EXPECT_TRUE(session.Logoff());
        EXPECT_TRUE(watcher.Seen().empty()) << code;
    }
    std::vector<std::string> lines = Traced();
    EXPECT_EQ(4, std::count(lines.begin(), lines.end(), "MAPI Send"));
}

TEST_F(MailSessionTest, SecondLogonLogsOffFirst) {
    InstalledTestMapi installed;
    outcomes.Session(WideSession);
    LoadedMapi mapi;
    DialogWatcher watcher(IDOK);
    MailSession session;
    ASSERT_TRUE(session.Logon(nullptr));
    ASSERT_TRUE(session.Logon(nullptr));
    EXPECT_TRUE(watcher.Seen().empty());
    std::vector<std::string> traced = {"MAPI Logon abcd5678 0", "Auto Logoff",
                                       "MAPI Logon abcd5678 0"};
    EXPECT_EQ(traced, Traced());
    std::string logon = "MAPILogon ui=0 profile=<null> password=<null> flags=1 reserved=0\n";
    EXPECT_EQ(logon + "MAPILogoff session=1234abcd5678 ui=0 flags=0 reserved=0\n" + logon,
              Recorded());
}

TEST_F(MailSessionTest, FailedAutomaticLogoffIsShownAndTheNewLogonGoesOn) {
    InstalledTestMapi installed;
    outcomes.Session(WideSession);
    outcomes.Logoff(2);
    LoadedMapi mapi;
    DialogWatcher watcher(IDOK);
    MailSession session;
    ASSERT_TRUE(session.Logon(nullptr));
    EXPECT_TRUE(session.Logon(nullptr));
    EXPECT_TRUE(session.HasSession());
    EXPECT_EQ(std::vector<std::string>{"Auto Logoff failed : Mapi Failure\n"}, BoxTexts(watcher));
    std::vector<std::string> traced = {"MAPI Logon abcd5678 0", "Auto Logoff",
                                       "Message Box displayed :Auto Logoff failed : Mapi Failure",
                                       "MAPI Logon abcd5678 0"};
    EXPECT_EQ(traced, Traced());
    outcomes.Logoff(0);
}

TEST_F(MailSessionTest, FailedLogoffIsShownWithItsText) {
    struct Case {
        uint32_t code;
        const char* text;
    } cases[] = {
        {3, "Shutdown Logoff failed : Login Failure"},
        {26, "Shutdown Logoff failed : Not Supported"},
        {27, "Shutdown Logoff failed : Error out of range 27"},
        {0xFFFFFFFFu, "Shutdown Logoff failed : Error out of range -1"},
    };
    InstalledTestMapi installed;
    LoadedMapi mapi;
    for (const Case& c : cases) {
        outcomes.Logoff(c.code);
        DialogWatcher watcher(IDOK);
        MailSession session;
        ASSERT_TRUE(session.Logon(nullptr));
        EXPECT_FALSE(session.Logoff()) << c.code;
        EXPECT_FALSE(session.HasSession());
        EXPECT_EQ(c.code, session.LastError());
        EXPECT_EQ(std::vector<std::string>{std::string(c.text) + "\n"}, BoxTexts(watcher));
        EXPECT_TRUE(Traces(std::string("Message Box displayed :") + c.text)) << c.code;
    }
}

TEST_F(MailSessionTest, SendWithoutLogonCallsNothing) {
    {
        MailSession unloaded;
        EXPECT_FALSE(unloaded.Send("a", "b", "c", nullptr));
        EXPECT_EQ(20u, unloaded.LastError());
    }
    InstalledTestMapi installed;
    LoadedMapi mapi;
    MailSession session;
    EXPECT_FALSE(session.Send("support@velmont.example", "s", "t", nullptr));
    EXPECT_EQ(20u, session.LastError());
    EXPECT_FALSE(session.HasSession());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(recordPath.c_str()));
    EXPECT_TRUE(Traced().empty());
}

TEST_F(MailSessionTest, LogoffTwiceCallsTheLibraryOnce) {
    InstalledTestMapi installed;
    outcomes.Session(WideSession);
    LoadedMapi mapi;
    MailSession session;
    ASSERT_TRUE(session.Logon(nullptr));
    EXPECT_TRUE(session.Logoff());
    EXPECT_TRUE(session.Logoff());
    std::string record = Recorded();
    size_t first = record.find("MAPILogoff");
    ASSERT_NE(std::string::npos, first);
    EXPECT_EQ(std::string::npos, record.find("MAPILogoff", first + 1));
}

TEST_F(MailSessionTest, DestructionLogsOff) {
    InstalledTestMapi installed;
    outcomes.Session(WideSession);
    LoadedMapi mapi;
    {
        MailSession session;
        ASSERT_TRUE(session.Logon(nullptr));
    }
    EXPECT_NE(std::string::npos,
              Recorded().find("MAPILogoff session=1234abcd5678 ui=0 flags=0 reserved=0\n"));
    EXPECT_TRUE(Traces("MAPI Logoff abcd5678"));
}

TEST_F(MailSessionTest, SessionZeroIsNeverLoggedOff) {
    InstalledTestMapi installed;
    outcomes.Session(0);
    LoadedMapi mapi;
    MailSession session;
    ASSERT_TRUE(session.Logon(nullptr));
    EXPECT_TRUE(session.HasSession());
    EXPECT_TRUE(session.Logoff());
    ASSERT_TRUE(session.Logon(nullptr));
    EXPECT_EQ(std::string::npos, Recorded().find("MAPILogoff"));
    std::vector<std::string> traced = {"MAPI Logon 0 0", "MAPI Logon 0 0"};
    EXPECT_EQ(traced, Traced());
}

TEST_F(MailSessionTest, ErrorTextsOfEveryCode) {
    const char* const texts[] = {"No Error",
                                 "Cancelled by user",
                                 "Mapi Failure",
                                 "Login Failure",
                                 "Disk Full",
                                 "Insufficient Memory",
                                 "Access Denied",
                                 "Unknown Error",
                                 "Too Many Sessions",
                                 "Too Many Files",
                                 "Too Many Recipients",
                                 "Attachment Not Found",
                                 "Attachment Open Failure",
                                 "Attachment Write Failure",
                                 "Unknown Recipient",
                                 "Bad Recipient Type",
                                 "No Messages",
                                 "Invalid Message",
                                 "Text Too Large",
                                 "Invalid Session",
                                 "Type Not Supported",
                                 "Ambiguous Recipient",
                                 "Message In Use",
                                 "Network Failure",
                                 "Invalid Edit Fields",
                                 "Invalid Recipients",
                                 "Not Supported"};
    InstalledTestMapi installed;
    LoadedMapi mapi;
    DialogWatcher watcher(IDOK);
    MailSession session;
    for (uint32_t code = 0; code < 29; ++code) {
        outcomes.Logon(code);
        session.Logon(nullptr);
        session.ReportError("Context", false);
        std::string expected = code < 27 ? std::string("Context : ") + texts[code]
                                         : "Context : Error out of range " + std::to_string(code);
        EXPECT_EQ(expected, Traced().back()) << code;
        EXPECT_EQ(code < 27, MapiErrorText(code) != nullptr) << code;
    }
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST_F(MailSessionTest, ShownErrorIsAMessageBox) {
    InstalledTestMapi installed;
    outcomes.Logon(21);
    LoadedMapi mapi;
    DialogWatcher watcher(IDOK);
    MailSession session;
    session.Logon(nullptr);
    session.ReportError("Resolving", true);
    EXPECT_EQ(std::vector<std::string>{"Resolving : Ambiguous Recipient\n"}, BoxTexts(watcher));
    EXPECT_EQ("Message Box displayed :Resolving : Ambiguous Recipient", Traced().back());
}

TEST_F(MailSessionTest, WithoutTheLibraryNothingIsCalled) {
    ASSERT_TRUE(AllEntryPointsSet(false));
    MailSession session;
    EXPECT_FALSE(session.Logon(nullptr));
    EXPECT_EQ(2u, session.LastError());
    EXPECT_FALSE(session.HasSession());
    EXPECT_TRUE(session.Logoff());
    EXPECT_TRUE(Traced().empty());
}
