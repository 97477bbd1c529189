#include "DoctorOutcome.h"
#include "ReportRun.h"

#include "base/Str.h"

#include "Registry.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const Settings = "Software\\Tessaly\\Velmont\\Settings";
const char* const Main = "Software\\Tessaly\\Velmont\\Configurations\\Head Office\\Main";
const char* const Schedule = "Software\\Tessaly\\Velmont\\Configurations\\Head Office\\Schedule";
const char* const Alerts = "Software\\Tessaly\\Velmont\\Configurations\\Head Office\\Alerts";
const char* const InstallFolder = "C:\\Program Files (x86)\\Tessaly\\Velmont";
const char* const HealthyInstallLine =
    "Installation folder 'C:\\Program Files (x86)\\Tessaly\\Velmont' Build '17' Description "
    "'Velmont 2.4 Professional' ";
const char* const HealthyFolderLine = "Configuration folder 'C:\\users\\Public\\Velmont' ";
const char* const NoConfigFolder = "The Configuration folder does not exist";

// A folder-like text of exactly the length given.
std::string LongText(size_t length) {
    std::string text = "C:\\";
    while (text.size() < length) {
        text += text.size() % 40 == 39 ? '\\' : static_cast<char>('a' + text.size() % 26);
    }
    return text.substr(0, length);
}

void SetText(const char* path, const char* name, const std::string& value, DWORD type = REG_SZ) {
    TestRegistry::SetString(HKEY_CURRENT_USER, path, name, value, type);
}

void SetBytes(const char* path, const char* name, const std::string& bytes, DWORD type) {
    TestRegistry::SetBinary(HKEY_CURRENT_USER, path, name, bytes, type);
}

void SetNumber(const char* path, const char* name, DWORD value) {
    TestRegistry::SetDword(HKEY_CURRENT_USER, path, name, value);
}

// Lines a row expects: each prefix names the line, the text is the whole expected line; an
// empty text means that no line starts with the prefix.
using ExpectedLines = std::vector<std::pair<std::string, std::string>>;

struct RegistryRow {
    std::string name;
    std::function<void()> damage;
    unsigned long exitCode;
    std::string analysis;
    ExpectedLines lines;
};

std::string InstallLine(const std::string& folder, unsigned build = 17) {
    return "Installation folder '" + folder + "' Build '" + std::to_string(build) +
           "' Description 'Velmont 2.4 Professional' ";
}

std::vector<RegistryRow> RegistryRows() {
    std::vector<RegistryRow> rows;
    // Value sizes count the terminating NUL: the Doctor reads strings into 8,192 bytes.
    for (size_t length : {8190u, 8191u}) {
        rows.push_back({"Installation of " + std::to_string(length + 1) + " bytes",
                        [length] { SetText(Settings, "Installation", LongText(length)); },
                        1,
                        "Analysis result 0:6:0",
                        {{"Installation folder '",
                          InstallLine(LongText(length)).substr(0, Str::FormatLimit - 2)},
                         {"Configuration folder '", HealthyFolderLine}}});
    }
    for (size_t length : {8192u, 100000u}) {
        rows.push_back(
            {"Installation of " + std::to_string(length + 1) + " bytes falls back to the machine's",
             [length] { SetText(Settings, "Installation", LongText(length)); },
             0,
             "Analysis result 0:0:0",
             {{"Installation folder '", HealthyInstallLine}}});
    }
    for (DWORD type : {REG_BINARY, REG_MULTI_SZ, REG_DWORD}) {
        rows.push_back({"Installation of type " + std::to_string(type),
                        [type] {
                            SetBytes(Settings, "Installation",
                                     std::string(InstallFolder) + std::string(2, '\0'), type);
                        },
                        0,
                        "Analysis result 0:0:0",
                        {{"Installation folder '", HealthyInstallLine}}});
    }
    for (DWORD type : {REG_SZ, REG_BINARY, REG_MULTI_SZ}) {
        rows.push_back(
            {"InstallVersion of type " + std::to_string(type),
             [type] { SetBytes(Settings, "InstallVersion", std::string("\x11\0\0\0", 4), type); },
             0,
             "Analysis result 0:0:0",
             {{"Installation folder '", InstallLine(InstallFolder, 0)}}});
    }
    rows.push_back(
        {"Installation expanding past 260 bytes",
         [] {
             SetText(Settings, "Installation", "%SystemRoot%\\" + std::string(300, 'i'),
                     REG_EXPAND_SZ);
         },
         1,
         "Analysis result 0:6:0",
         {{"Installation folder '", InstallLine("C:\\windows\\" + std::string(300, 'i'))},
          {"Configuration folder '", HealthyFolderLine}}});
    for (DWORD type : {REG_BINARY, REG_MULTI_SZ}) {
        rows.push_back(
            {"Config of type " + std::to_string(type),
             [type] { SetBytes(Settings, "Config", std::string("Head Office\0\0", 13), type); },
             1,
             "Analysis result 3:0:2",
             {{"Configuration folder '", "Configuration folder '' "},
              {"Configuration name '", "Configuration name '' "},
              {"The Configuration", NoConfigFolder}}});
    }
    rows.push_back({"Config of 8,193 bytes",
                    [] { SetText(Settings, "Config", LongText(8192)); },
                    1,
                    "Analysis result 3:0:2",
                    {{"Configuration folder '", "Configuration folder '' "},
                     {"Configuration name '", "Configuration name '' "},
                     {"The Configuration", NoConfigFolder},
                     {"Config Version ", "Config Version 0"}}});
    rows.push_back(
        {"configuration name of 300 characters",
         [] { SetText(Settings, "Config", std::string(300, 'N')); },
         1,
         "Analysis result 3:0:2",
         {{"Configuration folder '", "Configuration folder '' "},
          {"Configuration name '", "Configuration name '" + std::string(300, 'N') + "' "},
          {"The Configuration", NoConfigFolder},
          {"Config Version ", "Config Version 0"}}});
    rows.push_back({"configuration name with backslashes",
                    [] { SetText(Settings, "Config", "Head Office\\Main\\..\\"); },
                    1,
                    "Analysis result 3:0:2",
                    {{"Configuration folder '", "Configuration folder '' "},
                     {"Configuration name '", "Configuration name 'Head Office\\Main\\..\\' "},
                     {"The Configuration", NoConfigFolder},
                     {"Config Version ", "Config Version 0"}}});
    rows.push_back({"RootFolder of 8,193 bytes",
                    [] { SetText(Main, "RootFolder", LongText(8192)); },
                    1,
                    "Analysis result 3:0:0",
                    {{"Configuration folder '", "Configuration folder '' "},
                     {"The Configuration", NoConfigFolder}}});
    rows.push_back({"RootFolder expanding past 260 bytes",
                    [] {
                        SetText(Main, "RootFolder", "%SystemRoot%\\" + std::string(300, 'r'),
                                REG_EXPAND_SZ);
                    },
                    1,
                    "Analysis result 3:0:0",
                    {{"Configuration folder '",
                      "Configuration folder 'C:\\windows\\" + std::string(300, 'r') + "' "},
                     {"The Configuration", NoConfigFolder}}});
    rows.push_back({"RootFolder expanding within 260 bytes",
                    [] {
                        SetText(Main, "RootFolder", "%SystemDrive%\\users\\Public\\Velmont",
                                REG_EXPAND_SZ);
                    },
                    0,
                    "Analysis result 0:0:0",
                    {{"Configuration folder '", HealthyFolderLine}}});
    rows.push_back({"LogFile of 8,193 bytes",
                    [] { SetText(Main, "LogFile", LongText(8192)); },
                    1,
                    "Analysis result 3:0:0",
                    {{"The report log", "The report log setting has not been set"}}});
    rows.push_back(
        {"LogFile of type REG_BINARY",
         [] { SetBytes(Main, "LogFile", std::string("C:\\Report.log", 14), REG_BINARY); },
         1,
         "Analysis result 3:0:0",
         {{"The report log", "The report log setting has not been set"}}});
    rows.push_back({"RootFolder of type REG_DWORD",
                    [] { SetNumber(Main, "RootFolder", 7); },
                    1,
                    "Analysis result 3:0:0",
                    {{"Configuration folder '", "Configuration folder '' "},
                     {"The Configuration", NoConfigFolder}}});
    rows.push_back({"LogFile of 8,192 bytes",
                    [] { SetText(Main, "LogFile", LongText(8191)); },
                    0,
                    "Analysis result 0:0:0",
                    {{"The report log", ""}}});
    for (DWORD type : {REG_SZ, REG_BINARY, REG_MULTI_SZ}) {
        rows.push_back({"Version of type " + std::to_string(type),
                        [type] { SetBytes(Main, "Version", std::string("\x01\0\0\0", 4), type); },
                        1,
                        "Analysis result 0:0:2",
                        {{"Config Version ", "Config Version 0"}}});
    }
    for (DWORD type : {REG_SZ, REG_BINARY, REG_MULTI_SZ}) {
        rows.push_back(
            {"EventCount of type " + std::to_string(type),
             [type] { SetBytes(Schedule, "EventCount", std::string("\x03\0\0\0", 4), type); },
             1,
             "Analysis result 0:0:3",
             {{"No events", "No events are scheduled"}, {"Event 0 ", ""}}});
    }
    for (DWORD count : {0u, 0xFFFFFFFFu, 0x80000000u}) {
        rows.push_back({"EventCount of " + std::to_string(static_cast<int32_t>(count)),
                        [count] { SetNumber(Schedule, "EventCount", count); },
                        1,
                        "Analysis result 0:0:3",
                        {{"No events", "No events are scheduled"}, {"Event 0 ", ""}}});
    }
    return rows;
}

class BadRegistryTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { LaySample("clean"); }

    DoctorOutcome Run(const char* mode = "/report") {
        return RunDoctorInto(mode, scratch.File("report.txt"));
    }
    void ExpectLines(const std::string& report, const ExpectedLines& lines,
                     const std::string& row) {
        for (const auto& line : lines) {
            std::string found = LineStartingWith(report, line.first);
            EXPECT_TRUE(found == line.second)
                << row << ": line '" << line.first.substr(0, 40) << "' has " << found.size()
                << " characters, expected " << line.second.size() << " (" << found.substr(0, 60)
                << ")";
        }
    }

    ScratchFolder scratch;
};

} // namespace

TEST_F(BadRegistryTest, DamagedValuesGiveTheirDefaultsAndASensibleReport) {
    for (const RegistryRow& row : RegistryRows()) {
        ASSERT_TRUE(LaySample("healthy")) << row.name;
        row.damage();
        DoctorOutcome outcome = Run();
        ASSERT_TRUE(outcome.finished) << row.name;
        EXPECT_EQ(row.exitCode, outcome.exitCode) << row.name;
        EXPECT_EQ(row.analysis, AnalysisLine(outcome.text)) << row.name;
        ExpectLines(outcome.text, row.lines, row.name);
        EXPECT_EQ(0u, outcome.text.size() - outcome.text.rfind("\r\n") - 2) << row.name;
    }
}

// A damaged count must not make the Doctor read two billion values: lists stop at 1,000 items.
TEST_F(BadRegistryTest, HostileListCountsStopAtOneThousandItems) {
    ASSERT_TRUE(LaySample("healthy"));
    SetNumber(Schedule, "EventCount", 2147483647u);
    SetNumber(Alerts, "SchemeNamesCount", 2147483647u);
    DoctorOutcome outcome = Run();
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_EQ("Analysis result 0:0:0", AnalysisLine(outcome.text));
    EXPECT_EQ("Event 0 Home page 15 30", LineStartingWith(outcome.text, "Event 0 "));
    EXPECT_EQ("Event 3  0 0", LineStartingWith(outcome.text, "Event 3 "));
    EXPECT_EQ("Event 999  0 0", LineStartingWith(outcome.text, "Event 999 "));
    EXPECT_EQ("", LineStartingWith(outcome.text, "Event 1000 "));
    size_t schemes = 0;
    for (size_t at = outcome.text.find("\nScheme '"); at != std::string::npos;
         at = outcome.text.find("\nScheme '", at + 1)) {
        ++schemes;
    }
    EXPECT_EQ(1000u, schemes);
}

TEST_F(BadRegistryTest, AnEventEntryOfTenThousandFieldsIsTooLongToReadAndCountsAsEmpty) {
    std::string entry = "Home page,15,30,1";
    while (entry.size() < 20000) {
        entry += ",f";
    }
    ASSERT_TRUE(LaySample("healthy"));
    SetText(Schedule, "Event0", entry);
    DoctorOutcome outcome = Run();
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_EQ("Analysis result 0:0:0", AnalysisLine(outcome.text));
    EXPECT_EQ("Event 0  0 0", LineStartingWith(outcome.text, "Event 0 "));
    EXPECT_NE(std::string::npos,
              outcome.text.find("Event 0  0 0\r\nWork Group Name 'Background'\r\nItem 'Archive'\r\n"
                                "Event 1 "));
}

TEST_F(BadRegistryTest, AnEventEntryOfFourThousandFieldsIsCutIntoFields) {
    std::string entry = "Home page,15,30,1,https://www.tessaly.example/,3,Every quarter";
    while (entry.size() < 8000) {
        entry += ",f";
    }
    ASSERT_TRUE(LaySample("healthy"));
    SetText(Schedule, "Event0", entry);
    DoctorOutcome outcome = Run();
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_EQ("Event 0 Home page 15 30", LineStartingWith(outcome.text, "Event 0 "));
    EXPECT_NE(std::string::npos,
              outcome.text.find("Event 0 Home page 15 30\r\nWork Group Name 'Public pages'\r\n"));
}

TEST_F(BadRegistryTest, AnEventEntryEndingInABackslashLosesOnlyTheBackslash) {
    ASSERT_TRUE(LaySample("healthy"));
    DoctorOutcome healthy = Run();
    ASSERT_TRUE(healthy.finished);
    SetText(Schedule, "Event0", "Home page,15,30,1,https://www.tessaly.example/,3,Every quarter\\");
    SetText(Schedule, "Event2", "Nightly archive,1440\\");
    DoctorOutcome outcome = Run();
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(WithoutTimeLine(healthy.text) == WithoutTimeLine(outcome.text));
    SetText(Schedule, "Event1", "\\");
    outcome = Run();
    EXPECT_EQ("Event 1  0 0", LineStartingWith(outcome.text, "Event 1 "));
}

// The message carries the installation log of the folder the run found, or none.
TEST_F(BadRegistryTest, TheMessageTakesTheInstallationLogOfTheFolderFound) {
    const std::string heading = "\r\n\r\nInstallation Log :\r\n";
    const std::string log = "Velmont 2.4 setup log\r\nInstalling to " + std::string(InstallFolder) +
                            "\r\nRegistered VLLib.dll\r\nSetup finished: success\r\n";
    struct Row {
        const char* name;
        std::function<void()> damage;
        std::string expectedLog;
    };
    const Row rows[] = {
        {"binary Installation, the machine's folder",
         [] { SetBytes(Settings, "Installation", InstallFolder, REG_BINARY); }, log},
        {"Installation of 8,192 bytes", [] { SetText(Settings, "Installation", LongText(8191)); },
         ""},
        {"Installation of 300 characters", [] { SetText(Settings, "Installation", LongText(300)); },
         ""},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(LaySample("healthy")) << row.name;
        row.damage();
        DoctorOutcome outcome = Run("/message");
        ASSERT_TRUE(outcome.finished) << row.name;
        size_t start = outcome.text.rfind(heading);
        ASSERT_NE(std::string::npos, start) << row.name;
        EXPECT_EQ(row.expectedLog, outcome.text.substr(start + heading.size())) << row.name;
    }
}
