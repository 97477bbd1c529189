#include "base/RegKey.h"
#include "base/KeyCache.h"

#include "Handles.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TestRegistry;

namespace {

const char* const Path = "Software\\Tessaly\\Velmont\\Settings";
const char* const Missing = "Software\\Tessaly\\Velmont\\NoSuchKey";

class RegKeyTest : public ::testing::Test {
protected:
    ProductRegistryScope scope;
};

} // namespace

TEST_F(RegKeyTest, ValuesOfEachType) {
    SetString(HKEY_CURRENT_USER, Path, "Text", "C:\\Velmont");
    SetDword(HKEY_CURRENT_USER, Path, "Number", 1234);
    SetBinary(HKEY_CURRENT_USER, Path, "Blob", std::string("\x01\x02\x03\x04", 4));
    SetBinary(HKEY_CURRENT_USER, Path, "Multi", std::string("a\0b\0\0", 5), REG_MULTI_SZ);
    RegKey key;
    ASSERT_TRUE(key.OpenUserKey(Path, true));
    EXPECT_STREQ("C:\\Velmont", key.GetString("Text", "d").Text());
    EXPECT_EQ(1234u, key.GetDword("Number", 7));
    EXPECT_STREQ("d", key.GetString("Number", "d").Text());
    EXPECT_EQ(7u, key.GetDword("Text", 7));
    EXPECT_STREQ("d", key.GetString("Blob", "d").Text());
    EXPECT_EQ(7u, key.GetDword("Blob", 7));
    EXPECT_STREQ("d", key.GetString("Multi", "d").Text());
    EXPECT_STREQ("d", key.GetString("Absent", "d").Text());
    EXPECT_EQ(7u, key.GetDword("Absent", 7));
}

TEST_F(RegKeyTest, ExpandableStringsAreExpanded) {
    SetEnvironmentVariableA("VLD_TEST_FOLDER", "D:\\Monitor");
    SetString(HKEY_CURRENT_USER, Path, "Folder", "%VLD_TEST_FOLDER%\\Config", REG_EXPAND_SZ);
    std::string longValue(300, 'x');
    SetEnvironmentVariableA("VLD_TEST_LONG", longValue.c_str());
    SetString(HKEY_CURRENT_USER, Path, "Long", "%VLD_TEST_LONG%\\end", REG_EXPAND_SZ);
    RegKey key;
    ASSERT_TRUE(key.OpenUserKey(Path, true));
    EXPECT_STREQ("D:\\Monitor\\Config", key.GetString("Folder", "d").Text());
    EXPECT_EQ(longValue + "\\end", key.GetString("Long", "d").Text());
}

TEST_F(RegKeyTest, StringsUpToTheBufferAndBeyond) {
    SetString(HKEY_CURRENT_USER, Path, "Fits", std::string(8191, 'a'));
    SetString(HKEY_CURRENT_USER, Path, "TooLong", std::string(8192, 'b'));
    SetBinary(HKEY_CURRENT_USER, Path, "Unterminated", std::string(8191, 'c'), REG_SZ);
    RegKey key;
    ASSERT_TRUE(key.OpenUserKey(Path, true));
    EXPECT_EQ(8191, key.GetString("Fits", "d").Length());
    EXPECT_STREQ("d", key.GetString("TooLong", "d").Text());
    Str unterminated = key.GetString("Unterminated", "d");
    EXPECT_EQ(8191, unterminated.Length());
    EXPECT_TRUE(std::string(unterminated.Text()) == std::string(8191, 'c'));
}

TEST_F(RegKeyTest, ReadOnlyOpenAndExistsTestsCreateNothing) {
    RegKey key;
    EXPECT_FALSE(key.OpenUserKey(Missing, true));
    EXPECT_FALSE(key.OpenMachineKey(Missing, true));
    EXPECT_FALSE(RegKey::UserKeyExists(Missing));
    EXPECT_FALSE(RegKey::MachineKeyExists(Missing));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Missing));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Missing));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ProductRoot));
    EXPECT_STREQ("d", key.GetString("x", "d").Text());
}

TEST_F(RegKeyTest, WritableOpenCreatesAndWrites) {
    RegKey key;
    ASSERT_TRUE(key.OpenUserKey(Missing, false));
    EXPECT_TRUE(key.SetDword("TraceMode", 3));
    key.Close();
    DWORD value = 0;
    ASSERT_TRUE(GetDword(HKEY_CURRENT_USER, Missing, "TraceMode", value));
    EXPECT_EQ(3u, value);
    EXPECT_TRUE(RegKey::UserKeyExists(Missing));
}

TEST_F(RegKeyTest, FailedOpenDropsTheHeldKeyAndWritesNothing) {
    SetDword(HKEY_CURRENT_USER, Path, "Number", 1);
    RegKey key;
    ASSERT_TRUE(key.OpenUserKey(Path, false));
    EXPECT_FALSE(key.OpenUserKey(Missing, true));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.SetDword("Number", 2));
    DWORD value = 0;
    ASSERT_TRUE(GetDword(HKEY_CURRENT_USER, Path, "Number", value));
    EXPECT_EQ(1u, value);
}

TEST_F(RegKeyTest, MachineKeysAreReadInThe32BitView) {
    SetString(HKEY_LOCAL_MACHINE, Path, "Installation", "C:\\Program Files (x86)\\Velmont");
    HKEY native = nullptr;
    EXPECT_NE(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_LOCAL_MACHINE, Path, 0, KEY_READ | KEY_WOW64_64KEY, &native));
    EXPECT_TRUE(RegKey::MachineKeyExists(Path));
    RegKey key;
    ASSERT_TRUE(key.OpenMachineKey(Path, true));
    EXPECT_STREQ("C:\\Program Files (x86)\\Velmont", key.GetString("Installation", "").Text());
}

TEST_F(RegKeyTest, KeysKeptForARunStayApartByRootAndServeWrites) {
    SetString(HKEY_CURRENT_USER, Path, "Where", "user");
    SetString(HKEY_LOCAL_MACHINE, Path, "Where", "machine");
    KeyCacheScope keys;
    RegKey key;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(key.OpenUserKey(Path, true));
        EXPECT_STREQ("user", key.GetString("Where", "").Text());
        ASSERT_TRUE(key.OpenMachineKey(Path, true));
        EXPECT_STREQ("machine", key.GetString("Where", "").Text());
        EXPECT_TRUE(RegKey::UserKeyExists(Path));
    }
    ASSERT_TRUE(key.OpenUserKey(Path, false));
    EXPECT_TRUE(key.SetDword("TraceMode", 2));
    ASSERT_TRUE(key.OpenUserKey(Path, true));
    EXPECT_EQ(2u, key.GetDword("TraceMode", 0));
    EXPECT_FALSE(key.OpenUserKey(Missing, true));
}

// A key below any other key is never kept: its handle's value may name another key later.
TEST_F(RegKeyTest, KeysBelowAnOpenKeyAreNotKeptForARun) {
    std::string first = std::string(Path) + "\\First";
    std::string second = std::string(Path) + "\\Second";
    SetString(HKEY_CURRENT_USER, (first + "\\Sub").c_str(), "Which", "first");
    SetString(HKEY_CURRENT_USER, (second + "\\Sub").c_str(), "Which", "second");
    KeyCacheScope keys;
    for (const auto& [parentPath, expected] : {std::pair{first, "first"}, {second, "second"}}) {
        RegKey parent;
        ASSERT_TRUE(parent.OpenUserKey(parentPath.c_str(), true));
        RegKey sub;
        ASSERT_TRUE(sub.OpenSubKey(parent, "Sub"));
        EXPECT_STREQ(expected, sub.GetString("Which", "").Text());
    }
}

TEST_F(RegKeyTest, TheKeysOfARunAreClosedWhenItEnds) {
    SetString(HKEY_CURRENT_USER, Path, "Where", "user");
    SetString(HKEY_LOCAL_MACHINE, Path, "Where", "machine");
    size_t before = OwnHandleCount();
    ASSERT_GT(before, 0u);
    {
        KeyCacheScope keys;
        KeyCacheScope nested;
        RegKey key;
        ASSERT_TRUE(key.OpenUserKey(Path, true));
        ASSERT_TRUE(key.OpenMachineKey(Path, true));
        ASSERT_TRUE(key.OpenUserKey(Path, true));
    }
    EXPECT_EQ(before, OwnHandleCount());
}

// Past the room of the run's scope, keys are opened and closed by their readers; each one read is
// its own, whatever levels the keys share.
TEST_F(RegKeyTest, KeysBeyondTheRunsRoomAreReadAsTheirOwn) {
    const int keyCount = 40;
    for (int i = 0; i < keyCount; ++i) {
        std::string path = std::string(Path) + "\\Key" + std::to_string(i);
        SetString(HKEY_CURRENT_USER, path.c_str(), "Which", std::to_string(i).c_str());
    }
    size_t before = OwnHandleCount();
    {
        KeyCacheScope keys;
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < keyCount; ++i) {
                std::string path = std::string(Path) + "\\Key" + std::to_string(i);
                RegKey key;
                ASSERT_TRUE(key.OpenUserKey(path.c_str(), true)) << path;
                EXPECT_EQ(std::to_string(i), key.GetString("Which", "").Text()) << path;
            }
        }
    }
    EXPECT_EQ(before, OwnHandleCount());
}
