#include "ReportRun.h"

#include "app/CommandLine.h"

#include "Registry.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace

TEST_F(ReportModeTest, ArgumentsItDoesNotUnderstandExitWithTwo) {
    const char* const cases[] = {"/frobnicate", "report",   "/report a b", "/? extra",
                                 "--report",    "/reportx", "/",           "/version 1"};
    for (const char* arguments : cases) {
        EXPECT_EQ(2u, RunDoctor(arguments, output, errors)) << arguments;
        EXPECT_EQ(0u, Output().size()) << arguments;
        EXPECT_TRUE(IsOneLine(Errors())) << arguments;
    }
}

TEST_F(ReportModeTest, AFileThatCannotBeWrittenExitsWithTwo) {
    ASSERT_TRUE(LaySample("healthy"));
    std::string folderAsFile = scratch.File("folder");
    CreateDirectoryA(folderAsFile.c_str(), nullptr);
    const std::string cases[] = {scratch.File("missing") + "\\report.txt", folderAsFile};
    for (const std::string& file : cases) {
        EXPECT_EQ(2u, RunDoctor("/report \"" + file + "\"", output, errors)) << file;
        EXPECT_TRUE(IsOneLine(Errors())) << file;
        EXPECT_NE(std::string::npos, Errors().find(file)) << file;
        EXPECT_EQ(0u, Output().size()) << file;
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
