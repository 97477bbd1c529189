#include "diagnosis/DiagnosisPass.h"

#include "config/ConfigStore.h"
#include "diagnosis/MemoryReport.h"

#include "Registry.h"
#include "Scratch.h"
#include "SystemLibraries.h"
#include "resources/Version.h"

#include <gtest/gtest.h>

#include <string>

using namespace TestRegistry;

namespace {

const char* const MainSection = "Software\\Tessaly\\Velmont\\Configurations\\Pass\\Main";

size_t LineCount(const std::string& text) {
    size_t count = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

class DiagnosisPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(libraries.Put("mfc42.dll", "system\\mfc42.dll"));
        ASSERT_TRUE(libraries.Put("msvcrt.dll", "system\\msvcrt.dll"));
    }

    ProductRegistryScope scope;
    SystemLibraryScope libraries;
    ScratchFolder scratch;
    MemoryReport report;
};

} // namespace

TEST_F(DiagnosisPassTest, AnAbsentProductGivesTheHeaderOnly) {
    report.Analysis.FilesResult = 5;
    report.Analysis.ConfigResult = 2;
    RunDiagnosisPass(report);
    std::string text = report.Text().Text();
    EXPECT_EQ(5u, LineCount(text));
    EXPECT_EQ(0u, text.find("Velmont Doctor version '" VLD_VERSION_TEXT "'\r\n"));
    EXPECT_EQ(std::string::npos, text.find("Analysis result"));
    EXPECT_EQ(1u, report.Analysis.InstallResult);
    EXPECT_EQ(0u, report.Analysis.FilesResult);
    EXPECT_EQ(0u, report.Analysis.ConfigResult);
}

TEST_F(DiagnosisPassTest, ABrokenInstallationStillRunsEveryStage) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Installation", scratch.Path());
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Pass");
    SetString(HKEY_CURRENT_USER, MainSection, "RootFolder", scratch.Path());
    SetDword(HKEY_CURRENT_USER, MainSection, "Version", 1);
    ASSERT_TRUE(WriteBytes(scratch.File("VLWorkTrace.log"), "traced\r\n"));
    ConfigStore startUp;
    startUp.Load();
    RunDiagnosisPass(report);
    std::string text = report.Text().Text();
    EXPECT_NE(std::string::npos, text.find("The report log setting has not been set\r\n"));
    EXPECT_NE(std::string::npos, text.find("Config Version 1\r\n"));
    EXPECT_NE(std::string::npos, text.find("' :\r\ntraced\r\n"));
    std::string end = "\r\n\r\nAnalysis result 3:6:3\r\n";
    ASSERT_GT(text.size(), end.size());
    EXPECT_EQ(end, text.substr(text.size() - end.size()));
    EXPECT_EQ(3u, report.Analysis.InstallResult);
    EXPECT_EQ(6u, report.Analysis.FilesResult);
    EXPECT_EQ(3u, report.Analysis.ConfigResult);
}

TEST_F(DiagnosisPassTest, TheLaterStagesReadTheConfigurationLoadedAfterTheFirst) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Installation", scratch.Path());
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Pass");
    SetDword(HKEY_CURRENT_USER, MainSection, "Version", 1);
    SetDword(HKEY_CURRENT_USER, "Software\\Tessaly\\Velmont\\Configurations\\Other\\Main",
             "Version", 2);
    ConfigStore startUp;
    startUp.Load();
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Other");
    RunDiagnosisPass(report);
    std::string text = report.Text().Text();
    EXPECT_NE(std::string::npos, text.find("Configuration name 'Other' \r\n"));
    EXPECT_NE(std::string::npos, text.find("Config Version 2\r\n"));
    EXPECT_EQ(2u, report.Analysis.ConfigResult);
}
