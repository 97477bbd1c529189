#include "diagnosis/MachineReadings.h"

#include "base/JoinPath.h"
#include "diagnosis/FileProbe.h"

#include "Files.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace TestRegistry;

namespace {

const char* const LibraryName = "vld-readings-test.dll";

class MachineReadingsTest : public ::testing::Test {
protected:
    ~MachineReadingsTest() override { DeleteFileA(library.c_str()); }

    std::string library = JoinPath(SystemFolder(), LibraryName).Text();
    ProductRegistryScope scope;
};

} // namespace

// Each part is read on the first ask and kept until the readings are cleared: every user's pass
// of one run gets the same answer, and a new run reads again.
TEST_F(MachineReadingsTest, ThePartsOfTheMachineAreReadOnce) {
    ASSERT_TRUE(WriteBytes(library, "not an image"));
    SetString(HKEY_LOCAL_MACHINE, UninstallPath, "UninstallString", "");
    MachineReadings readings;
    EXPECT_TRUE(readings.SystemLibrary(LibraryName).Opened);
    EXPECT_TRUE(readings.UninstallCommandMissing());
    const Str computer = readings.ComputerName();
    EXPECT_FALSE(computer.IsEmpty());

    DeleteFileA(library.c_str());
    SetString(HKEY_LOCAL_MACHINE, UninstallPath, "UninstallString", "setup.exe /uninstall");
    EXPECT_TRUE(readings.SystemLibrary(LibraryName).Opened);
    EXPECT_TRUE(readings.UninstallCommandMissing());

    readings.Clear();
    const MachineReadings::Library& again = readings.SystemLibrary(LibraryName);
    EXPECT_FALSE(again.Opened);
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), again.OpenError);
    EXPECT_FALSE(readings.UninstallCommandMissing());
    EXPECT_STREQ(computer.Text(), readings.ComputerName().Text());
}
