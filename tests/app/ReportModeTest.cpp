#include "ReportRun.h"

#include "app/CommandLine.h"
#include "base/TextEncoding.h"

#include "Programs.h"
#include "Registry.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ReportModeTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { LaySample("clean"); }

    std::string Output() { return ReadBytes(output); }
    std::string Errors() { return ReadBytes(errors); }

    ScratchFolder scratch;
    std::string output = scratch.File("out.txt");
    std::string errors = scratch.File("err.txt");
};

bool IsOneLine(const std::string& text) {
    size_t end = text.find("\r\n");
    return end != std::string::npos && end > 0 && end + 2 == text.size();
}

// Every key and value below the path, in the 32-bit view, as one text.
std::string DumpKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
        return "";
    }
    std::string dump = "[" + path + "]\n";
    char name[16384];
    BYTE data[16384];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        dump += std::string(name) + "=" + std::to_string(type) + ":" +
                std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        dump += DumpKey(root, path + "\\" + name);
    }
    RegCloseKey(key);
    return dump;
}

std::string DumpProduct() {
    return DumpKey(HKEY_CURRENT_USER, TestRegistry::ProductRoot) +
           DumpKey(HKEY_LOCAL_MACHINE, TestRegistry::ProductRoot) +
           DumpKey(HKEY_LOCAL_MACHINE, TestRegistry::UninstallPath);
}

// Where a file named by the argument would land, had the Doctor taken it for FILE.
std::string WhereTheDoctorWouldWrite(const std::string& name) {
    return name[0] == '/' ? name : ProgramFolder() + "\\" + name;
}

// Whether a temporary file is left in the folder: the Doctor's own, or one of the system's.
bool HoldsTemporaryFile(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

} // namespace

// A file that a Doctor taking the wrong argument for FILE would write must not appear; one that
// such a Doctor made is removed again.
TEST_F(ReportModeTest, ArgumentsItDoesNotUnderstandExitWithTwoAndWriteNothing) {
    struct Case {
        const char* arguments;
        const char* notUnderstood;
        const char* wrongFile;
    } const cases[] = {
        {"/frobnicate", "/frobnicate", ""},
        {"report", "report", ""},
        {"/report a b", "b", "a"},
        {"/? extra", "extra", ""},
        {"--report", "--report", ""},
        {"/reportx", "/reportx", ""},
        {"/", "/", ""},
        {"/report /json", "/json", "/json"},
        {"/report -q", "-q", "-q"},
        {"/json /?", "/?", ""},
        {"/message -JSON", "-JSON", "-JSON"},
        {"/report \"\"", "", ""},
        {"/json out.json x", "x", "out.json"},
        {"/? /report", "/report", ""},
        {"/version 1", "1", ""},
        {"/users", "/users", ""},
        {"/message /users", "/users", "/users"},
        {"/json /users /users", "/users", "/users"},
        {"/check out.txt /users", "/users", "out.txt"},
        {"/report /users out.txt x", "x", "out.txt"},
        {"/users /report", "/users", ""},
    };
    for (const Case& c : cases) {
        std::string wrongFile = WhereTheDoctorWouldWrite(c.wrongFile);
        bool existed = GetFileAttributesA(wrongFile.c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(2u, RunDoctor(c.arguments, output, errors)) << c.arguments;
        EXPECT_EQ(0u, Output().size()) << c.arguments;
        EXPECT_TRUE(IsOneLine(Errors())) << c.arguments;
        EXPECT_NE(std::string::npos, Errors().find("'" + std::string(c.notUnderstood) + "'"))
            << c.arguments << ": " << Errors();
        if (*c.wrongFile && !existed) {
            EXPECT_FALSE(DeleteFileA(wrongFile.c_str())) << c.arguments;
        }
    }
}

// The line names the system's reason and code; a file already there keeps its bytes, and no
// temporary file is left beside it. A file that a reader holds open (sharing writes, not its
// removal) could be written in place, but not replaced.
TEST_F(ReportModeTest, AFileThatCannotBeWrittenExitsWithTwoAndChangesNothing) {
    ASSERT_TRUE(LaySample("healthy"));
    ScratchFolder target;
    std::string folderAsFile = target.File("folder");
    CreateDirectoryA(folderAsFile.c_str(), nullptr);
    std::string readOnly = target.File("previous.txt");
    ASSERT_TRUE(WriteBytes(readOnly, "the previous report\r\n"));
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string held = target.File("held.txt");
    ASSERT_TRUE(WriteBytes(held, "the report being read\r\n"));
    HANDLE reader = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    struct Case {
        std::string file;
        DWORD error;
    } const cases[] = {
        {target.File("missing") + "\\report.txt", ERROR_PATH_NOT_FOUND},
        {folderAsFile, ERROR_ACCESS_DENIED},
        {readOnly, ERROR_ACCESS_DENIED},
        {held, ERROR_SHARING_VIOLATION},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(2u, RunDoctor("/report \"" + c.file + "\"", output, errors)) << c.file;
        EXPECT_EQ("VLDoctor: cannot write the report to '" + c.file +
                      "': " + SystemReason(c.error) + "\r\n",
                  Errors());
        EXPECT_EQ(0u, Output().size()) << c.file;
    }
    CloseHandle(reader);
    EXPECT_EQ("the previous report\r\n", ReadBytes(readOnly));
    EXPECT_EQ("the report being read\r\n", ReadBytes(held));
    EXPECT_FALSE(HoldsTemporaryFile(target.Path()));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Past MAX_PATH the test reaches the file through the system's wide calls and \\?\.
TEST_F(ReportModeTest, AReportPathLongerThan300CharactersIsWritten) {
    ASSERT_TRUE(LaySample("healthy"));
    std::wstring prefix = L"\\\\?\\";
    std::wstring folder = prefix + WideFromUtf8(Str(scratch.Path().c_str()));
    std::wstring wideName(120, L'l');
    std::vector<std::wstring> folders;
    for (int level = 0; level < 3; ++level) {
        folder += L"\\" + wideName;
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
        folders.push_back(folder);
    }
    std::wstring report = folder + L"\\report.txt";
    std::string file = Utf8FromWide(report.c_str(), static_cast<int32_t>(report.size())).Text();
    file.erase(0, prefix.size());
    ASSERT_GT(file.size(), 300u);
    EXPECT_EQ(0u, RunDoctor("/report \"" + file + "\"", output, errors)) << Errors();
    HANDLE written = CreateFileW(report.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, written);
    std::string text(1 << 20, '\0');
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(written, &text[0], static_cast<DWORD>(text.size()), &got, nullptr));
    CloseHandle(written);
    text.resize(got);
    EXPECT_NE(std::string::npos, text.find("\r\nAnalysis result 0:0:0\r\n"));
    DeleteFileW(report.c_str());
    for (auto level = folders.rbegin(); level != folders.rend(); ++level) {
        RemoveDirectoryW(level->c_str());
    }
}

// Scripts that only want the exit code send the output to the null device.
TEST_F(ReportModeTest, TheNullDeviceTakesTheOutput) {
    ASSERT_TRUE(LaySample("healthy"));
    for (const char* arguments : {"/report NUL", "/json nul"}) {
        EXPECT_EQ(0u, RunDoctor(arguments, output, errors)) << arguments;
        EXPECT_EQ("", Errors()) << arguments;
    }
}

TEST_F(ReportModeTest, UsageTextOnStandardOutput) {
    for (const char* arguments : {"/?", "-?", "/HELP"}) {
        EXPECT_EQ(0u, RunDoctor(arguments, output, errors)) << arguments;
        EXPECT_EQ(UsageText, Output()) << arguments;
        EXPECT_EQ(0u, Errors().size()) << arguments;
    }
}

TEST_F(ReportModeTest, SwitchesIgnoreCaseAndMayStartWithADash) {
    ASSERT_TRUE(LaySample("healthy"));
    for (const char* arguments : {"/REPORT", "-report", "-Report -"}) {
        EXPECT_EQ(0u, RunDoctor(arguments, output, errors)) << arguments;
        EXPECT_NE(std::string::npos, Output().find("\r\nAnalysis result 0:0:0\r\n")) << arguments;
    }
}

TEST_F(ReportModeTest, WritesNothingOfTheProduct) {
    ASSERT_TRUE(LaySample("healthy"));
    std::string configuration = "Software\\Tessaly\\Velmont\\Configurations\\Head Office";
    TestRegistry::DeleteTree(HKEY_CURRENT_USER, (configuration + "\\Sites").c_str());
    TestRegistry::DeleteTree(HKEY_CURRENT_USER, (configuration + "\\WorkGroups").c_str());
    RegDeleteKeyValueA(HKEY_CURRENT_USER, (configuration + "\\Main").c_str(), "TraceMode");
    std::string before = DumpProduct();
    std::string report = scratch.File("report.txt");
    EXPECT_EQ(0u, RunDoctor("/report \"" + report + "\"", output, errors));
    EXPECT_NE(std::string::npos, ReadBytes(report).find("No sites are configured\r\n"));
    EXPECT_TRUE(before == DumpProduct());
}

TEST_F(ReportModeTest, WithoutTheProductNoKeyIsCreated) {
    ASSERT_TRUE(LaySample("not-installed"));
    EXPECT_EQ(3u, RunDoctor("/report", output, errors));
    EXPECT_EQ(std::string::npos, Output().find("Analysis result"));
    EXPECT_EQ("", DumpProduct());
}

TEST_F(ReportModeTest, AFileNamedInCyrillicGreekAndJapaneseIsWritten) {
    ASSERT_TRUE(LaySample("healthy"));
    std::string file = scratch.File("Отчёт Αναφορά 報告.txt");
    EXPECT_EQ(0u, RunDoctor("/report \"" + file + "\"", output, errors));
    EXPECT_EQ(0u, Errors().size());
    EXPECT_NE(std::string::npos, ReadBytes(file).find("\r\nAnalysis result 0:0:0\r\n"));
    DeleteFileA(file.c_str());
}

// A program that the system takes for an older one is told 6.2 on Windows 8.1 and later.
TEST_F(ReportModeTest, TheSystemVersionIsTheTrueOne) {
    auto getVersion = reinterpret_cast<LONG(WINAPI*)(OSVERSIONINFOW*)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(nullptr, getVersion);
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_EQ(0, getVersion(&version));
    ASSERT_GE(version.dwMajorVersion, 10u) << "run with the Wine prefix set to Windows 10";
    ASSERT_TRUE(LaySample("healthy"));
    EXPECT_EQ(0u, RunDoctor("/report", output, errors));
    char line[80];
    snprintf(line, sizeof line, "\r\nSystem Version is %lu.%lu 0x%lx Platform 0x%lx ",
             version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber,
             version.dwPlatformId);
    EXPECT_NE(std::string::npos, Output().find(line)) << Output().substr(0, 120);
}
