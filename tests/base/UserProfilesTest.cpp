#include "base/UserProfiles.h"

#include "Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const std::string ProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";

// Profile entries of the test's own, in the system's native view, removed again at the end.
class ProfileEntries {
public:
    ~ProfileEntries() {
        for (const std::string& sid : added) {
            TestRegistry::DeleteTree(HKEY_LOCAL_MACHINE, (ProfileList + sid).c_str());
        }
    }
    void Add(const std::string& sid, const std::string& path) {
        HKEY entry = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_LOCAL_MACHINE, (ProfileList + sid).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &entry, nullptr));
        RegSetValueExA(entry, "ProfileImagePath", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>(path.size() + 1));
        RegCloseKey(entry);
        added.push_back(sid);
    }

private:
    std::vector<std::string> added;
};

const UserProfile* Find(const UserProfileList& list, const char* sid) {
    for (int32_t i = 0; i < list.Count(); ++i) {
        if (list.At(i).Sid.Text() == std::string(sid)) {
            return &list.At(i);
        }
    }
    return nullptr;
}

} // namespace

TEST(UserProfiles, OnlyPeoplesAccountsArePeople) {
    const struct {
        const char* sid;
        bool person;
    } cases[] = {
        {"S-1-5-21-3623811015-3361044348-30300820-1013", true},
        {"S-1-12-1-1234567890-1234567890-1234567890-1234567890", true},
        {"S-1-5-18", false},
        {"S-1-5-19", false},
        {"S-1-5-20", false},
        {"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", false},
        {"S-1-5-21", false},
        {"S-1-12-2-1", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.person, IsPersonSid(c.sid)) << c.sid;
    }
}

// The walk keeps local, domain and cloud accounts with their expanded profile paths, names an
// account that does not resolve by its folder, and leaves the service accounts out.
TEST(UserProfiles, TheProfileListWalk) {
    ProfileEntries entries;
    entries.Add("S-1-5-18", "%systemroot%\\system32\\config\\systemprofile");
    entries.Add("S-1-5-21-1-2-3-4001", "%SystemDrive%\\Users\\Ana Lima");
    entries.Add("S-1-12-1-11-22-33-44", "C:\\Users\\cloud.user");
    UserProfileList list;
    list.Read();
    EXPECT_FALSE(Find(list, "S-1-5-18"));
    const UserProfile* local = Find(list, "S-1-5-21-1-2-3-4001");
    ASSERT_TRUE(local);
    EXPECT_STREQ("C:\\Users\\Ana Lima", local->ProfilePath.Text());
    EXPECT_STREQ("Ana Lima", local->Account.Text());
    const UserProfile* cloud = Find(list, "S-1-12-1-11-22-33-44");
    ASSERT_TRUE(cloud);
    EXPECT_STREQ("cloud.user", cloud->Account.Text());
}
