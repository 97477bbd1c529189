#include "base/UserHive.h"

#include "base/RegKey.h"

#include "Registry.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <string>

using namespace TestRegistry;

namespace {

const char* const Draft = "Software\\Tessaly\\HiveDraft";
const char* const Stand = "Software\\Tessaly\\PrivateStandIn";

// A private load that works, as Windows' does: it hands out a key of the stand-in tree.
LONG WINAPI WorkingPrivateLoad(LPCSTR, PHKEY key, REGSAM access, DWORD, DWORD) {
    return RegOpenKeyExA(HKEY_CURRENT_USER, Stand, 0, access, key);
}

LONG WINAPI RefusedPrivateLoad(LPCSTR, PHKEY, REGSAM, DWORD, DWORD) {
    return ERROR_ACCESS_DENIED;
}

std::string ProcessSid() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[256];
    DWORD size = sizeof buffer;
    std::string text;
    char* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer, size, &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

class UserHiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetString(HKEY_CURRENT_USER,
                  (std::string(Draft) + "\\Software\\Tessaly\\Velmont\\Settings").c_str(), "Config",
                  "Saved");
        SetString(HKEY_CURRENT_USER,
                  (std::string(Stand) + "\\Software\\Tessaly\\Velmont\\Settings").c_str(), "Config",
                  "Private");
        HKEY draft = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, Draft, 0, KEY_READ, &draft);
        ASSERT_TRUE(EnableBackupPrivilege());
        ASSERT_EQ(ERROR_SUCCESS, RegSaveKeyA(draft, hiveFile.c_str(), nullptr));
        RegCloseKey(draft);
        profile.Sid = "S-1-5-21-1-2-3-4242";
        profile.ProfilePath = scratch.Path().c_str();
    }

    std::string Config(const UserHive& hive) {
        RegKey key;
        key.OpenSubKey(hive.Root(), "Software\\Tessaly\\Velmont\\Settings");
        return key.GetString("Config", "none").Text();
    }

    ProductRegistryScope scope;
    ScratchFolder scratch;
    std::string hiveFile = scratch.File("NTUSER.DAT");
    UserProfile profile;
};

} // namespace

// Wine's private load gives a key that cannot be used: the hive is mounted under a name of the
// run's own, and gone again, its file unchanged, once released.
TEST_F(UserHiveTest, ALoggedOffUsersHiveIsLoadedForTheRunOnly) {
    std::string keys = UsersKeys();
    std::string bytes = ReadBytes(hiveFile);
    {
        UserHive hive;
        ASSERT_TRUE(hive.Open(profile)) << hive.Error();
        EXPECT_EQ(HiveSource::File, hive.Source());
        EXPECT_EQ("Saved", Config(hive));
        ASSERT_FALSE(hive.MountName().IsEmpty());
        EXPECT_NE(std::string::npos, UsersKeys().find(hive.MountName().Text()));
        UserHive second;
        ASSERT_TRUE(second.Open(profile));
        EXPECT_STRNE(hive.MountName().Text(), second.MountName().Text());
    }
    EXPECT_EQ(keys, UsersKeys());
    EXPECT_EQ(bytes, ReadBytes(hiveFile));
}

// Where the private load works (Windows), nothing appears in HKEY_USERS; where it refuses, the
// mount is the fall-back.
TEST_F(UserHiveTest, ThePrivateLoadIsPreferred) {
    std::string keys = UsersKeys();
    {
        UserHive hive(WorkingPrivateLoad);
        ASSERT_TRUE(hive.Open(profile));
        EXPECT_EQ(HiveSource::File, hive.Source());
        EXPECT_EQ("Private", Config(hive));
        EXPECT_TRUE(hive.MountName().IsEmpty());
        EXPECT_EQ(keys, UsersKeys());
    }
    UserHive refused(RefusedPrivateLoad);
    ASSERT_TRUE(refused.Open(profile));
    EXPECT_EQ("Saved", Config(refused));
    EXPECT_FALSE(refused.MountName().IsEmpty());
    refused.Release();
    EXPECT_EQ(keys, UsersKeys());
}

TEST_F(UserHiveTest, ALoggedOnUsersHiveIsTheOneLoaded) {
    profile.Sid = ProcessSid().c_str();
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Logged on");
    UserHive hive;
    ASSERT_TRUE(hive.Open(profile));
    EXPECT_EQ(HiveSource::Loaded, hive.Source());
    EXPECT_TRUE(hive.MountName().IsEmpty());
    EXPECT_EQ("Logged on", Config(hive));
}

TEST_F(UserHiveTest, AHiveThatCannotBeReadGivesTheSystemsReason) {
    const struct {
        std::string folder;
        uint32_t error;
    } cases[] = {
        {scratch.File("gone"), ERROR_PATH_NOT_FOUND},
        {scratch.Path() + "\\..", ERROR_FILE_NOT_FOUND},
        {"", ERROR_PATH_NOT_FOUND},
    };
    std::string keys = UsersKeys();
    for (const auto& c : cases) {
        profile.ProfilePath = c.folder.c_str();
        UserHive hive;
        EXPECT_FALSE(hive.Open(profile)) << c.folder;
        EXPECT_EQ(HiveSource::NotRead, hive.Source()) << c.folder;
        EXPECT_EQ(c.error, hive.Error()) << c.folder;
        EXPECT_EQ(nullptr, hive.Root()) << c.folder;
    }
    WriteBytes(hiveFile, "not a hive");
    profile.ProfilePath = scratch.Path().c_str();
    UserHive damaged;
    EXPECT_FALSE(damaged.Open(profile));
    EXPECT_NE(0u, damaged.Error());
    EXPECT_EQ(keys, UsersKeys());
}
