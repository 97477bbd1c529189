#include "diagnosis/FileProbe.h"
#include "diagnosis/FileByteSource.h"
#include "diagnosis/FileVersion.h"
#include "diagnosis/ImageVersionResource.h"

#include "base/SystemErrorText.h"

#include "Programs.h"
#include "RecordingReport.h"
#include "Scratch.h"
#include "SystemLibraries.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string FailedLine(const std::string& path, DWORD error) {
    return "Failed to open file '" + path + "' : " + SystemErrorText(error).Text();
}

// The version as the product files check reads it: from the file its probe opened.
std::string VersionOf(const std::string& path) {
    FileByteSource file;
    EXPECT_TRUE(file.Open(path.c_str())) << path;
    return GetFileVersionText(file, path.c_str()).Text();
}

} // namespace

TEST(ProbeFile, OpensReadableFilesSilently) {
    ScratchFolder scratch;
    ASSERT_TRUE(WriteBytes(scratch.File("present.txt"), "x"));
    RecordingReport report;
    FileByteSource file;
    EXPECT_TRUE(ProbeFile(report, Str(scratch.File("present.txt").c_str()), file));
    EXPECT_TRUE(report.appends.empty());
    // The file stays open for the version read that follows the probe.
    char byte = 0;
    EXPECT_TRUE(file.ReadAt(0, &byte, 1));
    EXPECT_EQ('x', byte);
}

TEST(ProbeFile, ReportsWhyAFileCannotBeOpened) {
    ScratchFolder scratch;
    CreateDirectoryA(scratch.File("folder").c_str(), nullptr);
    struct Case {
        std::string path;
        DWORD error;
    } const cases[] = {
        {scratch.File("missing.dll"), ERROR_FILE_NOT_FOUND},
        {scratch.File("no such folder") + "\\x.dll", ERROR_PATH_NOT_FOUND},
        {scratch.File("folder"), ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        RecordingReport report;
        FileByteSource file;
        EXPECT_FALSE(ProbeFile(report, Str(c.path.c_str()), file)) << c.path;
        ASSERT_EQ(1u, report.appends.size()) << c.path;
        EXPECT_EQ(FailedLine(c.path, c.error), report.appends[0]) << c.path;
    }
}

TEST(ProbeFile, AFileLockedForReadingCannotBeOpened) {
    ScratchFolder scratch;
    std::string path = scratch.File("locked.dll");
    HANDLE locked = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    RecordingReport report;
    FileByteSource file;
    EXPECT_FALSE(ProbeFile(report, Str(path.c_str()), file));
    CloseHandle(locked);
    EXPECT_EQ(FailedLine(path, ERROR_SHARING_VIOLATION), report.Text());
}

TEST(GetFileVersionText, FileVersionOfTheFirstTranslation) {
    struct Case {
        const char* stub;
        const char* version;
    } const cases[] = {
        {"product\\VLWork.exe", "2.4.0.17"},     {"product\\VLAlert.exe", "2.3.5.2"},
        {"product\\VLLib.dll", "2.4.0.21"},      {"system\\mfc42.dll", "6.00.8168.0"},
        {"system\\old\\mfc42.dll", "4.21.7000"}, {"pe32\\VLLib.dll", "2.4.0.21"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.version, VersionOf(StubPath(c.stub)).c_str()) << c.stub;
    }
}

TEST(FindVersionResource, FindsTheBlockIn64And32BitImages) {
    for (const char* stub : {"product\\VLWork.exe", "system\\mfc42.dll", "pe32\\VLLib.dll"}) {
        FileByteSource file;
        ASSERT_TRUE(file.Open(StubPath(stub).c_str())) << stub;
        ResourcePlace place;
        ASSERT_TRUE(FindVersionResource(file, place)) << stub;
        std::string block(place.size, '\0');
        ASSERT_TRUE(file.ReadAt(place.offset, &block[0], static_cast<int32_t>(place.size)));
        // After its length, value length and type, the block gives its own name.
        EXPECT_EQ(std::wstring(L"VS_VERSION_INFO"),
                  std::wstring(reinterpret_cast<const wchar_t*>(block.data() + 6), 15))
            << stub;
    }
}

TEST(FindVersionResource, LeavesALanguageNeutralFileToTheSystem) {
    FileByteSource file;
    ASSERT_TRUE(file.Open(StubPath("pe32\\Neutral.dll").c_str()));
    ResourcePlace place;
    EXPECT_FALSE(FindVersionResource(file, place));
    EXPECT_STREQ("2.4.0.21", VersionOf(StubPath("pe32\\Neutral.dll")).c_str());
}

// A damaged image reads as the system's reader reads it: its version, or "Unknown" where that
// reader finds no version block.
TEST(GetFileVersionText, ADamagedImageReadsAsTheSystemReadsIt) {
    std::string stub = StubPath("product\\VLWork.exe");
    std::string whole = ReadBytes(stub);
    ResourcePlace place;
    FileByteSource file;
    ASSERT_TRUE(file.Open(stub.c_str()) && FindVersionResource(file, place));
    uint32_t nt = *reinterpret_cast<const uint32_t*>(&whole[0x3C]);
    size_t resourceSize = nt + 24 + 112 + 2 * 8 + 4; // PE32+: the third data directory's size
    std::string emptyDirectory = whole;
    emptyDirectory.replace(resourceSize, 4, 4, '\0');
    ScratchFolder scratch;
    for (const std::string& bytes :
         {whole.substr(0, static_cast<size_t>(place.offset + place.size)), emptyDirectory}) {
        std::string path = scratch.File("damaged.exe");
        ASSERT_TRUE(WriteBytes(path, bytes));
        DWORD handle = 0;
        const char* expected =
            GetFileVersionInfoSizeA(path.c_str(), &handle) ? "2.4.0.17" : "Unknown";
        EXPECT_STREQ(expected, VersionOf(path).c_str()) << bytes.size();
    }
}

namespace {

// The FileVersion of the first translation, as the system's reader gives the block.
std::string VersionBySystem(const std::string& path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    std::vector<char> block(size + 1);
    if (!size || !GetFileVersionInfoA(path.c_str(), handle, size, block.data())) {
        return "";
    }
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < 4) {
        return "";
    }
    char query[64];
    snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0],
             translation[1]);
    char* version = nullptr;
    return VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&version), &length)
               ? std::string(version)
               : "";
}

} // namespace

// A version resource in a second language whose block gives another version: the Doctor's
// version is the one the system's reader picks, whichever language that is.
TEST(GetFileVersionText, AVersionInTwoLanguagesIsTheOneTheSystemGives) {
    ScratchFolder scratch;
    std::string path = scratch.File("TwoLanguages.exe");
    std::string stub = StubPath("product\\VLWork.exe");
    ASSERT_TRUE(CopyFileA(stub.c_str(), path.c_str(), FALSE));
    std::string whole = ReadBytes(stub);
    FileByteSource file;
    ResourcePlace place;
    ASSERT_TRUE(file.Open(stub.c_str()) && FindVersionResource(file, place));
    std::string block = whole.substr(static_cast<size_t>(place.offset), place.size);
    const std::string version("2\0.\0004\0.\0000\0.\0001\0007\0", 16);
    size_t at = block.find(version);
    ASSERT_NE(std::string::npos, at);
    block.replace(at, 2, std::string("9\0", 2));
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    ASSERT_NE(nullptr, update);
    ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1),
                                MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), &block[0],
                                static_cast<DWORD>(block.size())));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    std::string bySystem = VersionBySystem(path);
    EXPECT_TRUE(bySystem == "2.4.0.17" || bySystem == "9.4.0.17") << bySystem;
    EXPECT_EQ(bySystem, VersionOf(path));
}

TEST(GetFileVersionText, UnknownWithoutAVersionResource) {
    ScratchFolder scratch;
    ASSERT_TRUE(WriteBytes(scratch.File("Licence.rtf"), "{\\rtf1 licence}"));
    ASSERT_TRUE(WriteBytes(scratch.File("empty.dll"), ""));
    ASSERT_TRUE(WriteBytes(scratch.File("fake.dll"), std::string("MZ\0\0garbage", 11)));
    // The test mail library is an image without a version resource; under its own name Wine
    // would answer for its built-in library.
    std::string image = scratch.File("plain.dll");
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\mapi32\\complete\\MAPI32.DLL").c_str(),
                          image.c_str(), FALSE));
    for (const std::string& path : {scratch.File("Licence.rtf"), scratch.File("empty.dll"),
                                    scratch.File("fake.dll"), image}) {
        EXPECT_STREQ("Unknown", VersionOf(path).c_str()) << path;
    }
}

TEST(SystemFolder, IsThe32BitSystemFolder) {
    char expected[MAX_PATH] = {};
    UINT length = GetSystemWow64DirectoryA(expected, sizeof expected);
    if (length == 0) {
        length = GetSystemDirectoryA(expected, sizeof expected);
    }
    ASSERT_GT(length, 0u);
    EXPECT_STREQ(expected, SystemFolder().Text());
}

class CheckSystemComponentTest : public ::testing::Test {
protected:
    SystemLibraryScope libraries;
    RecordingReport report;
};

TEST_F(CheckSystemComponentTest, ACurrentLibraryGivesItsVersionLine) {
    ASSERT_TRUE(libraries.Put("mfc42.dll", "system\\mfc42.dll"));
    EXPECT_TRUE(CheckSystemComponent(report, "mfc42.dll", 4, 21, 7022));
    EXPECT_EQ("System Dll mfc42.dll Version 6.00.8168.0\r\n", report.Text());
}

TEST_F(CheckSystemComponentTest, AnEqualVersionPasses) {
    ASSERT_TRUE(libraries.Put("mfc42.dll", "system\\old\\mfc42.dll"));
    EXPECT_TRUE(CheckSystemComponent(report, "mfc42.dll", 4, 21, 7000));
    EXPECT_EQ("System Dll mfc42.dll Version 4.21.7000\r\n", report.Text());
}

TEST_F(CheckSystemComponentTest, AnOldLibraryGivesBothLines) {
    ASSERT_TRUE(libraries.Put("mfc42.dll", "system\\old\\mfc42.dll"));
    EXPECT_FALSE(CheckSystemComponent(report, "mfc42.dll", 4, 21, 7022));
    ASSERT_EQ(2u, report.appends.size());
    EXPECT_EQ("System Dll mfc42.dll Version 4.21.7000\r\n", report.appends[0]);
    EXPECT_EQ("System Dll mfc42.dll Out of date need version 4.21.7022\r\n", report.appends[1]);
}

TEST_F(CheckSystemComponentTest, ALibraryWithoutVersionIsOutOfDate) {
    ASSERT_TRUE(libraries.PutBytes("mfc42.dll", "not a library"));
    EXPECT_FALSE(CheckSystemComponent(report, "mfc42.dll", 4, 21, 7022));
    EXPECT_EQ("System Dll mfc42.dll Version Unknown\r\n"
              "System Dll mfc42.dll Out of date need version 4.21.7022\r\n",
              report.Text());
}

TEST_F(CheckSystemComponentTest, AMissingLibraryGivesOnlyTheFailedLine) {
    ASSERT_TRUE(libraries.Remove("mfc42.dll"));
    EXPECT_FALSE(CheckSystemComponent(report, "mfc42.dll", 4, 21, 7022));
    EXPECT_EQ(FailedLine(libraries.Path("mfc42.dll"), ERROR_FILE_NOT_FOUND), report.Text());
}
