#include "diagnosis/InstallationCheck.h"

#include "config/ConfigStore.h"

#include "RecordingReport.h"
#include "Registry.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>

using namespace TestRegistry;

namespace {

const char* const MainSection = "Software\\Tessaly\\Velmont\\Configurations\\Office\\Main";

class InstallationCheckTest : public ::testing::Test {
protected:
    // A consistent installation: folder, build and description for the user, a configuration
    // "Office" whose root folder exists and whose report log is set, an uninstall command.
    void SetUp() override {
        SetString(HKEY_CURRENT_USER, SettingsPath, "Installation", "C:\\Velmont");
        SetDword(HKEY_CURRENT_USER, SettingsPath, "InstallVersion", 17);
        SetString(HKEY_CURRENT_USER, SettingsPath, "InstallDescription", "Velmont 2.4");
        SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Office");
        SetString(HKEY_CURRENT_USER, MainSection, "RootFolder", scratch.Path());
        SetString(HKEY_CURRENT_USER, MainSection, "LogFile", "report.log");
        SetString(HKEY_LOCAL_MACHINE, UninstallPath, "UninstallString", "C:\\Velmont\\un.exe");
    }

    StageCode Check() {
        ConfigStore store;
        store.Load();
        report.TraceModeOn = true;
        return InstallationCheck(report);
    }

    std::string Lines(const std::string& folder, const std::string& build,
                      const std::string& description) {
        return "Installation folder '" + folder + "' Build '" + build + "' Description '" +
               description + "' \r\nConfiguration folder '" + scratch.Path() +
               "' \r\nConfiguration name 'Office' \r\n";
    }

    ProductRegistryScope scope;
    ScratchFolder scratch;
    RecordingReport report;
};

} // namespace

TEST_F(InstallationCheckTest, AConsistentInstallationPasses) {
    EXPECT_EQ(0u, Check());
    EXPECT_EQ(Lines("C:\\Velmont", "17", "Velmont 2.4"), report.Text());
    EXPECT_STREQ("C:\\Velmont", report.InstallFolder.Text());
    EXPECT_EQ(scratch.Path(), report.ConfigFolder.Text());
    EXPECT_STREQ("Office", report.ConfigName.Text());
    EXPECT_FALSE(report.TraceModeOn);
}

TEST_F(InstallationCheckTest, NoUserSettingsMeansNotInstalled) {
    DeleteTree(HKEY_CURRENT_USER, ProductRoot);
    SetString(HKEY_LOCAL_MACHINE, SettingsPath, "Installation", "C:\\Velmont");
    EXPECT_EQ(1u, Check());
    EXPECT_EQ("", report.Text());
    EXPECT_FALSE(report.TraceModeOn);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SettingsPath));
}

TEST_F(InstallationCheckTest, TheMachineSettingsStandInForAMissingFolder) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Installation", "");
    SetString(HKEY_LOCAL_MACHINE, SettingsPath, "Installation", "D:\\Machine");
    SetDword(HKEY_LOCAL_MACHINE, SettingsPath, "InstallVersion", 23);
    SetString(HKEY_LOCAL_MACHINE, SettingsPath, "InstallDescription", "Machine-wide");
    EXPECT_EQ(0u, Check());
    EXPECT_EQ(Lines("D:\\Machine", "23", "Machine-wide"), report.Text());
}

TEST_F(InstallationCheckTest, WithoutMachineSettingsBuildAndDescriptionReadTheirDefaults) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Installation", "");
    EXPECT_EQ(6u, Check());
    EXPECT_EQ("Installation folder '' Build '0' Description '' \r\n", report.Text());
    EXPECT_TRUE(report.InstallFolder.IsEmpty());
}

TEST_F(InstallationCheckTest, AFolderOnNeitherRootGivesSix) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Installation", "");
    SetString(HKEY_LOCAL_MACHINE, SettingsPath, "InstallDescription", "no folder");
    EXPECT_EQ(6u, Check());
    EXPECT_EQ("Installation folder '' Build '0' Description 'no folder' \r\n", report.Text());
}

TEST_F(InstallationCheckTest, AMissingBuildShowsZero) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, SettingsPath, "InstallVersion");
    SetString(HKEY_CURRENT_USER, SettingsPath, "InstallDescription", "x", REG_DWORD);
    EXPECT_EQ(0u, Check());
    EXPECT_EQ(0u, report.Text().find("Installation folder 'C:\\Velmont' Build '0' Description '"));
}

TEST_F(InstallationCheckTest, AnEmptyConfigNameLeavesTheFolderAsItWas) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "");
    report.ConfigFolder.Assign("C:\\From an earlier run");
    EXPECT_EQ(3u, Check());
    EXPECT_STREQ("C:\\From an earlier run", report.ConfigFolder.Text());
    EXPECT_EQ("Installation folder 'C:\\Velmont' Build '17' Description 'Velmont 2.4' \r\n"
              "Configuration folder 'C:\\From an earlier run' \r\n"
              "Configuration name '' \r\n"
              "The Configuration folder does not exist\r\n",
              report.Text());
}

TEST_F(InstallationCheckTest, AMissingUninstallEntryIsNoFault) {
    DeleteTree(HKEY_LOCAL_MACHINE, UninstallPath);
    EXPECT_EQ(0u, Check());
    EXPECT_EQ(Lines("C:\\Velmont", "17", "Velmont 2.4"), report.Text());
}

TEST_F(InstallationCheckTest, AnUninstallEntryWithoutCommandGivesSix) {
    for (bool present : {true, false}) {
        DeleteTree(HKEY_LOCAL_MACHINE, UninstallPath);
        if (present) {
            SetString(HKEY_LOCAL_MACHINE, UninstallPath, "UninstallString", "");
        } else {
            SetString(HKEY_LOCAL_MACHINE, UninstallPath, "DisplayName", "Velmont");
        }
        RemoveTree(scratch.Path());
        report.appends.clear();
        EXPECT_EQ(6u, Check()) << present;
        EXPECT_EQ(Lines("C:\\Velmont", "17", "Velmont 2.4") +
                      "Velmont is not configured to be uninstalled correctly\r\n",
                  report.Text())
            << present;
    }
}

TEST_F(InstallationCheckTest, AConfigurationFolderThatIsMissingOrAFileGivesThree) {
    std::string file = scratch.File("plain.txt");
    ASSERT_TRUE(WriteBytes(file, "x"));
    for (const std::string& folder : {file, scratch.File("missing"), scratch.Path() + "\\"}) {
        SetString(HKEY_CURRENT_USER, MainSection, "RootFolder", folder);
        report.appends.clear();
        EXPECT_EQ(3u, Check()) << folder;
        EXPECT_EQ("Installation folder 'C:\\Velmont' Build '17' Description 'Velmont 2.4' \r\n"
                  "Configuration folder '" +
                      folder +
                      "' \r\nConfiguration name 'Office' \r\n"
                      "The Configuration folder does not exist\r\n",
                  report.Text())
            << folder;
    }
}

TEST_F(InstallationCheckTest, AnEmptyReportLogSettingGivesThree) {
    for (bool present : {true, false}) {
        if (present) {
            SetString(HKEY_CURRENT_USER, MainSection, "LogFile", "");
        } else {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, MainSection, "LogFile");
        }
        report.appends.clear();
        EXPECT_EQ(3u, Check()) << present;
        EXPECT_EQ(Lines("C:\\Velmont", "17", "Velmont 2.4") +
                      "The report log setting has not been set\r\n",
                  report.Text())
            << present;
    }
}

TEST_F(InstallationCheckTest, ExpandableValuesAreExpanded) {
    SetEnvironmentVariableA("VLD_INSTALL_TEST", "E:\\Apps");
    SetString(HKEY_CURRENT_USER, SettingsPath, "Installation", "%VLD_INSTALL_TEST%\\Velmont",
              REG_EXPAND_SZ);
    EXPECT_EQ(0u, Check());
    EXPECT_STREQ("E:\\Apps\\Velmont", report.InstallFolder.Text());
}
