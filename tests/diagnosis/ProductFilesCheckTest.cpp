#include "diagnosis/ProductFilesCheck.h"

#include "base/SystemErrorText.h"

#include "RecordingReport.h"
#include "Scratch.h"
#include "SystemLibraries.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char* const Versions[][2] = {
    {"VLWork.exe", "2.4.0.17"},   {"VLUpgrade.exe", "2.4.0.9"}, {"VLTray.exe", "2.4.0.17"},
    {"VLAlert.exe", "2.3.5.2"},   {"VLWizard.exe", "2.4.0.11"}, {"VLSched.exe", "2.4.0.17"},
    {"VLBrowse.exe", "2.2.1.40"}, {"VLSPos.exe", "2.4.0.3"},    {"VLLib.dll", "2.4.0.21"},
};

const char* const SystemLines = "System Dll mfc42.dll Version 6.00.8168.0\r\n"
                                "System Dll msvcrt.dll Version 7.0.2600\r\n";

class ProductFilesCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(libraries.Put("mfc42.dll", "system\\mfc42.dll"));
        ASSERT_TRUE(libraries.Put("msvcrt.dll", "system\\msvcrt.dll"));
        ASSERT_TRUE(WriteBytes(scratch.File("Licence.rtf"), "{\\rtf1 licence}"));
        ASSERT_TRUE(WriteBytes(scratch.File("PresetConfig.ini"), "[Main]\r\n"));
        for (const auto& file : Versions) {
            std::string stub = StubPath(std::string("product\\") + file[0]);
            ASSERT_TRUE(CopyFileA(stub.c_str(), scratch.File(file[0]).c_str(), FALSE));
        }
        report.InstallFolder.Assign(scratch.Path().c_str());
    }

    // The version lines of every product file but the one left out, under the folder given.
    std::string VersionLines(const std::string& folder, const std::string& leftOut = "") {
        std::string lines;
        for (const auto& file : Versions) {
            if (leftOut != file[0]) {
                lines += "File '" + folder + "\\" + file[0] + "' Version " + file[1] + "\r\n";
            }
        }
        return lines;
    }

    SystemLibraryScope libraries;
    ScratchFolder scratch;
    RecordingReport report;
};

} // namespace

TEST_F(ProductFilesCheckTest, EveryFileWithAVersionGetsItsLine) {
    EXPECT_EQ(0u, ProductFilesCheck(report));
    EXPECT_EQ(SystemLines + VersionLines(scratch.Path()), report.Text());
}

TEST_F(ProductFilesCheckTest, AMissingFileIsReportedAndTheOthersStillProbed) {
    DeleteFileA(scratch.File("VLLib.dll").c_str());
    DeleteFileA(scratch.File("Licence.rtf").c_str());
    EXPECT_EQ(6u, ProductFilesCheck(report));
    std::string failed = std::string("Failed to open file '") + scratch.File("VLLib.dll") +
                         "' : " + SystemErrorText(ERROR_FILE_NOT_FOUND).Text();
    std::string licence = std::string("Failed to open file '") + scratch.File("Licence.rtf") +
                          "' : " + SystemErrorText(ERROR_FILE_NOT_FOUND).Text();
    EXPECT_EQ(SystemLines + licence + VersionLines(scratch.Path(), "VLLib.dll") + failed,
              report.Text());
}

TEST_F(ProductFilesCheckTest, ATrailingBackslashDoublesAtTheJoin) {
    report.InstallFolder.Assign((scratch.Path() + "\\").c_str());
    EXPECT_EQ(0u, ProductFilesCheck(report));
    EXPECT_EQ(SystemLines + VersionLines(scratch.Path() + "\\"), report.Text());
}

TEST_F(ProductFilesCheckTest, NoInstallationFolderChecksOnlyTheSystemLibraries) {
    report.InstallFolder.Empty();
    EXPECT_EQ(0u, ProductFilesCheck(report));
    EXPECT_EQ(SystemLines, report.Text());
}

TEST_F(ProductFilesCheckTest, AnOldClassLibraryEndsTheStage) {
    ASSERT_TRUE(libraries.Put("mfc42.dll", "system\\old\\mfc42.dll"));
    DeleteFileA(scratch.File("VLLib.dll").c_str());
    EXPECT_EQ(5u, ProductFilesCheck(report));
    EXPECT_EQ("System Dll mfc42.dll Version 4.21.7000\r\n"
              "System Dll mfc42.dll Out of date need version 4.21.7022\r\n",
              report.Text());
}

TEST_F(ProductFilesCheckTest, AMissingRuntimeEndsTheStage) {
    ASSERT_TRUE(libraries.Remove("msvcrt.dll"));
    EXPECT_EQ(5u, ProductFilesCheck(report));
    EXPECT_EQ(std::string("System Dll mfc42.dll Version 6.00.8168.0\r\n") +
                  "Failed to open file '" + libraries.Path("msvcrt.dll") +
                  "' : " + SystemErrorText(ERROR_FILE_NOT_FOUND).Text(),
              report.Text());
}

TEST(ProductFileTable, ElevenFilesInOrder) {
    const char* const expected[] = {"Licence.rtf",   "PresetConfig.ini", "VLWork.exe",
                                    "VLUpgrade.exe", "VLTray.exe",       "VLAlert.exe",
                                    "VLWizard.exe",  "VLSched.exe",      "VLBrowse.exe",
                                    "VLSPos.exe",    "VLLib.dll",        ""};
    for (size_t i = 0; i < sizeof expected / sizeof expected[0]; ++i) {
        EXPECT_STREQ(expected[i], ProductFileTable[i]) << i;
    }
}

// A program file, .exe or .dll, whose version cannot be read is damaged or not the product's; a
// document has no version by design.
TEST_F(ProductFilesCheckTest, EachProgramFileWithoutAVersionIsAFinding) {
    for (const char* name : {"VLLib.dll", "VLTray.exe"}) {
        ASSERT_TRUE(WriteBytes(scratch.File(name), "not an image"));
    }
    ProductFilesCheck(report);
    std::string damaged;
    for (int32_t i = 0; i < report.Findings.Count(); ++i) {
        const Finding& finding = report.Findings.At(i);
        if (finding.Id == FindingId::ProductFileVersionUnreadable) {
            damaged += finding.Proof.Path.Text() + std::string(";");
        }
    }
    EXPECT_EQ(scratch.File("VLTray.exe") + ";" + scratch.File("VLLib.dll") + ";", damaged);
}
