#include "DoctorOutcome.h"
#include "JsonAgreement.h"
#include "Programs.h"
#include "Registry.h"
#include "ReportRun.h"
#include "Scratch.h"
#include "Snapshot.h"

#include "base/UserHive.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char* const Ines = "C:\\users\\ines";
const char* const Tomas = "C:\\users\\tomas";
const char* const InesConfigFolder = "C:\\users\\ines\\AppData\\Roaming\\Velmont";

const nlohmann::json* UserNamed(const nlohmann::json& document, const std::string& account) {
    for (const nlohmann::json& user : document["users"]) {
        if (user["account"] == account) {
            return &user;
        }
    }
    return nullptr;
}

// What must not change in any run over every user: the hives the system lists, the hive files
// of the users who are logged off, the product's keys and the logged-off user's folder.
struct MachineState {
    std::string users = TestRegistry::UsersKeys();
    std::string inesHive = ReadBytes(std::string(Ines) + "\\NTUSER.DAT");
    std::string tomasHive = ReadBytes(std::string(Tomas) + "\\NTUSER.DAT");
    std::string product = SnapshotProductRegistry();
    std::string inesFolder = SnapshotFolder(Ines);

    bool operator==(const MachineState& other) const {
        return users == other.users && inesHive == other.inesHive && tomasHive == other.tomasHive &&
               product == other.product && inesFolder == other.inesFolder;
    }
};

class UsersModeTest : public ::testing::Test {
protected:
    // A prefix that an interrupted test run left a mount in starts clean.
    static void SetUpTestSuite() { ReleaseAbandonedMounts(); }
    static void TearDownTestSuite() { LaySample("clean"); }

    unsigned long Run(const std::string& arguments) {
        return RunDoctor(arguments + " \"" + file + "\"", "", errors, CompanionPath());
    }
    std::string Written() { return ReadBytes(file); }

    ScratchFolder scratch;
    std::string file = scratch.File("users.out");
    std::string errors = scratch.File("errors.txt");
};

} // namespace

// Each person gets their own diagnosis: the logged-off user's settings from her hive file, her
// paths under her own profile; the user without Velmont is read but has none. The hives are
// as they were.
TEST_F(UsersModeTest, JsonHasEachUsersOwnDiagnosis) {
    ASSERT_TRUE(LaySample("many-users"));
    MachineState before;
    ASSERT_FALSE(before.inesHive.empty());
    EXPECT_EQ(1u, Run("/json /users"));
    EXPECT_TRUE(MachineState() == before);
    nlohmann::json document = nlohmann::json::parse(Written());
    ASSERT_EQ(3u, document["users"].size()) << document.dump(1);

    const nlohmann::json* ines = UserNamed(document, "ines");
    ASSERT_TRUE(ines);
    EXPECT_EQ("file", (*ines)["hive"]);
    EXPECT_EQ(Ines, (*ines)["profilePath"]);
    const nlohmann::json& report = (*ines)["report"];
    EXPECT_EQ("ines", report["user"]);
    EXPECT_EQ(2, report["stageCodes"]["configuration"]);
    EXPECT_EQ(InesConfigFolder, report["product"]["configFolder"]);
    ASSERT_EQ(1u, report["traceLogs"].size());
    EXPECT_EQ(std::string(InesConfigFolder) + "\\FieldTrace.log", report["traceLogs"][0]["path"]);
    ExpectJsonAgreesWithReport(report["report"], report);

    const nlohmann::json* tomas = UserNamed(document, "tomas");
    ASSERT_TRUE(tomas);
    EXPECT_EQ("file", (*tomas)["hive"]);
    EXPECT_FALSE((*tomas)["report"]["product"]["installed"]);

    // The user the tests run as is logged on: the hive the system has loaded for them.
    int loaded = 0;
    for (const nlohmann::json& user : document["users"]) {
        if (user["hive"] == "loaded") {
            ++loaded;
            EXPECT_TRUE(user["report"]["healthy"]);
            ExpectJsonAgreesWithReport(user["report"]["report"], user["report"]);
        }
    }
    EXPECT_EQ(1, loaded);
}

// The logged-on user's section is the report a one-user run gives them.
TEST_F(UsersModeTest, ReportHasOneSectionPerUserAndTheProfilesNotRead) {
    ASSERT_TRUE(LaySample("many-users-gone"));
    std::string single = scratch.File("single.txt");
    EXPECT_EQ(0u, RunDoctor("/report \"" + single + "\"", "", errors));
    std::string own = ReadBytes(single);
    MachineState before;
    EXPECT_EQ(1u, Run("/report /users"));
    EXPECT_TRUE(MachineState() == before);
    std::string report = Written();
    size_t ownStart = report.find(LineStartingWith(own, "User '").substr(4));
    ASSERT_NE(std::string::npos, ownStart);
    size_t sectionStart = report.find("Velmont Doctor version", ownStart);
    std::string section = report.substr(sectionStart, own.size());
    EXPECT_EQ(WithoutTimeLine(own), WithoutTimeLine(section));

    EXPECT_NE(std::string::npos, report.find("==== User 'ines' (S-1-5-21-"));
    EXPECT_NE(std::string::npos, report.find("Analysis result 0:0:2"));
    EXPECT_NE(std::string::npos, report.find(std::string(InesConfigFolder) + "\\FieldTrace.log"));
    size_t notChecked = report.find("==== Profiles not checked ====");
    ASSERT_NE(std::string::npos, notChecked);
    std::string last = report.substr(notChecked);
    EXPECT_NE(std::string::npos, last.find("'former'")) << last;
    EXPECT_NE(std::string::npos, last.find(SystemReason(ERROR_PATH_NOT_FOUND))) << last;
    EXPECT_EQ(std::string::npos, last.find("'ines'")) << last;
}

TEST_F(UsersModeTest, CheckHasABlockPerUserAndOneClosingLine) {
    ASSERT_TRUE(LaySample("many-users-gone"));
    EXPECT_EQ(1u, Run("/check /users"));
    std::string summary = Written();
    EXPECT_NE(std::string::npos, summary.find("User 'ines' (S-1-5-21-")) << summary;
    EXPECT_NE(std::string::npos, summary.find("User 'tomas' (S-1-5-21-")) << summary;
    EXPECT_NE(std::string::npos, summary.find("Velmont is not installed for the user 'tomas'"));
    EXPECT_NE(std::string::npos, summary.find("Not read: 'former'")) << summary;
    EXPECT_NE(std::string::npos,
              summary.find("3 users checked, 2 with Velmont: 1 problem found, 1 profile not read."))
        << summary;
}

// A profile that cannot be read is named with the system's reason, in the JSON too, and is a
// problem of the machine.
TEST_F(UsersModeTest, AProfileWhoseFolderIsGoneIsNotRead) {
    ASSERT_TRUE(LaySample("many-users-gone"));
    MachineState before;
    EXPECT_EQ(1u, Run("/json /users"));
    EXPECT_TRUE(MachineState() == before);
    nlohmann::json document = nlohmann::json::parse(Written());
    const nlohmann::json* former = UserNamed(document, "former");
    ASSERT_TRUE(former);
    EXPECT_EQ("not-read", (*former)["hive"]);
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, (*former)["errorCode"]);
    EXPECT_EQ(SystemReason(ERROR_PATH_NOT_FOUND), (*former)["error"]);
    EXPECT_FALSE(former->contains("report"));
}

TEST_F(UsersModeTest, ExitCodesOverEveryUser) {
    struct Case {
        const char* variant;
        unsigned long exitCode;
    } const cases[] = {
        {"healthy", 0},
        {"not-installed", 3},
        {"config-version-2", 1},
        {"many-users", 1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(LaySample(c.variant));
        for (const char* mode : {"/json /users", "/report /users", "/check /users"}) {
            EXPECT_EQ(c.exitCode, Run(mode)) << c.variant << " " << mode;
            EXPECT_EQ("", ReadBytes(errors)) << c.variant << " " << mode;
        }
    }
    // Standard output, switches in any case and with dashes.
    std::string output = scratch.File("stdout.txt");
    EXPECT_EQ(1u, RunDoctor("-JSON -Users -", output, errors, CompanionPath()));
    EXPECT_EQ(3u, nlohmann::json::parse(ReadBytes(output))["users"].size());
    // A profile that cannot be read is a problem even where every user read is healthy.
    ASSERT_TRUE(LaySample("healthy"));
    HKEY entry = nullptr;
    std::string gone = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\"
                       "S-1-5-21-1-2-3-4099";
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, gone.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &entry, nullptr));
    RegSetValueExA(entry, "ProfileImagePath", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>("C:\\users\\nobody"), 17);
    RegCloseKey(entry);
    EXPECT_EQ(1u, Run("/check /users"));
    TestRegistry::DeleteTree(HKEY_LOCAL_MACHINE, gone.c_str());
}

namespace {

std::string DebugText(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    if (info.fUnicode ||
        !ReadProcessMemory(process, info.lpDebugStringData, &text[0], text.size(), &read)) {
        return "";
    }
    return text.substr(0, read);
}

void CloseEventHandles(const DEBUG_EVENT& event) {
    if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT && event.u.CreateProcessInfo.hFile) {
        CloseHandle(event.u.CreateProcessInfo.hFile);
    }
    if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT && event.u.LoadDll.hFile) {
        CloseHandle(event.u.LoadDll.hFile);
    }
}

} // namespace

// The Doctor runs as this test's debuggee and traces to the debugger: the test ends it by force
// at the moment its trace says a logged-off user's hive is mounted, while the Doctor waits. The
// file is not written, and once the next run has been, nothing is left.
TEST_F(UsersModeTest, ARunEndedByForceLeavesNoHiveLoaded) {
    ASSERT_TRUE(LaySample("many-users"));
    MachineState before;
    DoctorSettingsFile settings("[Settings]\r\nTraceMode=file\r\nTraceFilter=1\r\n");
    std::string command = "\"" + CompanionPath() + "\" /json /users \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE,
                               DEBUG_ONLY_THIS_PROCESS, nullptr, ProgramFolder().c_str(), &startup,
                               &process));
    bool endedWhileMounted = false;
    std::string seen;
    for (bool running = true; running;) {
        DEBUG_EVENT event = {};
        ASSERT_TRUE(WaitForDebugEvent(&event, 60000));
        CloseEventHandles(event);
        if (event.dwDebugEventCode == OUTPUT_DEBUG_STRING_EVENT) {
            std::string text = DebugText(process.hProcess, event.u.DebugString);
            seen += text;
            if (text.find("'ines'") != std::string::npos &&
                text.find("from VLDoctor.") != std::string::npos) {
                endedWhileMounted =
                    TestRegistry::UsersKeys().find("VLDoctor.") != std::string::npos;
                TerminateProcess(process.hProcess, 9);
            }
        }
        running = event.dwDebugEventCode != EXIT_PROCESS_DEBUG_EVENT;
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, DBG_CONTINUE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(endedWhileMounted) << seen;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
    // Wine keeps the hive of a process ended by force loaded: the next run releases it.
    EXPECT_EQ(1u, Run("/json /users"));
    EXPECT_TRUE(MachineState() == before);
}
