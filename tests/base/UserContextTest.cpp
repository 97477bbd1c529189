#include "base/UserContext.h"

#include "base/RegKey.h"

#include "Registry.h"

#include <gtest/gtest.h>

#include <string>

using namespace TestRegistry;

namespace {

// A user's hive stand-in: a key of the product's tree, removed with it.
const char* const Hive = "Software\\Tessaly\\Hive";
const char* const HiveFolders =
    "Software\\Tessaly\\Hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
    "Folders";
const char* const HiveVolatile = "Software\\Tessaly\\Hive\\Volatile Environment";

class HiveKey {
public:
    HiveKey() { RegOpenKeyExA(HKEY_CURRENT_USER, Hive, 0, KEY_READ, &key); }
    HiveKey(const HiveKey&) = delete;
    HiveKey& operator=(const HiveKey&) = delete;
    ~HiveKey() {
        if (key) {
            RegCloseKey(key);
        }
    }
    HKEY key = nullptr;
};

std::string SystemExpansion(const char* text) {
    char expanded[4096] = {};
    DWORD length = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
    return length > 0 && length <= sizeof expanded ? expanded : "<failed>";
}

class UserContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetString(HKEY_CURRENT_USER, HiveFolders, "AppData", "%USERPROFILE%\\Roaming Data",
                  REG_EXPAND_SZ);
        SetEnvironmentVariableA("VLD_MACHINE_TEST", "M:\\machine");
    }
    void TearDown() override { SetEnvironmentVariableA("VLD_MACHINE_TEST", nullptr); }

    ProductRegistryScope scope;
};

} // namespace

// A logged-off user: the profile's path, the shell folders of the hive, the account's name.
TEST_F(UserContextTest, AnotherUsersTextsExpandWithThatUsersValues) {
    HiveKey hive;
    ASSERT_TRUE(hive.key);
    UserContext user = UserContext::OfHive(hive.key, Str("ines"), Str("C:\\users\\ines"));
    const struct {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"%APPDATA%\\Velmont", "C:\\users\\ines\\Roaming Data\\Velmont"},
        {"%localappdata%", "C:\\users\\ines\\AppData\\Local"},
        {"%UserProfile%\\x", "C:\\users\\ines\\x"},
        {"%USERNAME%", "ines"},
        {"%HOMEPATH%", "\\users\\ines"},
        {"%VLD_MACHINE_TEST%\\%USERNAME%", "M:\\machine\\ines"},
        {"%VLD_NOT_SET%\\%USERNAME%", "%VLD_NOT_SET%\\ines"},
        {"%VLD_NOT_SET%USERNAME%", "%VLD_NOT_SET%USERNAME%"},
        {"100%", "100%"},
        {"%%USERNAME%", "%%USERNAME%"},
        {"%%%USERNAME%", "%%ines"},
        {"%", "%"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.expanded, user.Expand(c.text, "d").Text()) << c.text;
    }
}

// Logged on, the user's volatile values are the ones the system set for their session.
TEST_F(UserContextTest, VolatileValuesWinOverTheShellFolders) {
    SetString(HKEY_CURRENT_USER, HiveVolatile, "APPDATA", "D:\\Roaming\\ines");
    SetString(HKEY_CURRENT_USER, HiveVolatile, "USERNAME", "Ines Laurent");
    HiveKey hive;
    UserContext user = UserContext::OfHive(hive.key, Str("ines"), Str("C:\\users\\ines"));
    EXPECT_STREQ("D:\\Roaming\\ines\\Velmont", user.Expand("%APPDATA%\\Velmont", "d").Text());
    EXPECT_STREQ("Ines Laurent", user.Expand("%USERNAME%", "d").Text());
    EXPECT_STREQ("C:\\users\\ines", user.Expand("%USERPROFILE%", "d").Text());
}

// The process's own user expands every text as the system does, odd ones included.
TEST_F(UserContextTest, TheProcessUserExpandsAsTheSystemDoes) {
    UserContext user = UserContext::OfProcess();
    for (const char* text :
         {"%APPDATA%\\Velmont", "%USERPROFILE%%LOCALAPPDATA%", "%VLD_NOT_SET%APPDATA%",
          "%%APPDATA%%", "50% of %HOMEPATH", "%VLD_MACHINE_TEST%", "%username%", "%%", "%"}) {
        EXPECT_EQ(SystemExpansion(text), user.Expand(text, "d").Text()) << text;
    }
    EXPECT_EQ(std::string(SystemExpansion("%USERNAME%")), user.Account.Text());
}

// Every read of the user's keys goes to the active user's hive, and back when the scope ends.
TEST_F(UserContextTest, TheActiveUsersHiveIsTheOneRead) {
    SetString(HKEY_CURRENT_USER, "Software\\Tessaly\\Hive\\Software\\Tessaly\\Velmont\\Settings",
              "Config", "Hers");
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Mine");
    HiveKey hive;
    UserContext user = UserContext::OfHive(hive.key, Str("ines"), Str("C:\\users\\ines"));
    RegKey key;
    {
        ActiveUserScope active(user);
        ASSERT_TRUE(key.OpenUserKey(SettingsPath, true));
        EXPECT_STREQ("Hers", key.GetString("Config", "d").Text());
        EXPECT_TRUE(RegKey::UserKeyExists(SettingsPath));
    }
    ASSERT_TRUE(key.OpenUserKey(SettingsPath, true));
    EXPECT_STREQ("Mine", key.GetString("Config", "d").Text());
}
