#include "base/UserProfiles.h"

#include "base/TextEncoding.h"
#include "base/UserContext.h"

#include <windows.h>

#include <sddl.h>

#include <cstring>

namespace {

const char* const ProfileListKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const DWORD LongestSid = 256;
const DWORD LongestName = 256;
const DWORD LongestPath = 3 * MAX_PATH;

// The system's own view: the profile list is not one of the keys the 32-bit view redirects,
// but asking for the native view says so.
class ProfileListKeyHandle {
public:
    ProfileListKeyHandle() {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProfileListKey, 0, KEY_READ | KEY_WOW64_64KEY,
                          &key) != ERROR_SUCCESS) {
            key = nullptr;
        }
    }
    ProfileListKeyHandle(const ProfileListKeyHandle&) = delete;
    ProfileListKeyHandle& operator=(const ProfileListKeyHandle&) = delete;
    ~ProfileListKeyHandle() {
        if (key) {
            RegCloseKey(key);
        }
    }
    HKEY key = nullptr;
};

Str LastPart(const Str& path) {
    const char* slash = strrchr(path.Text(), '\\');
    return Str(slash ? slash + 1 : path.Text());
}

// The path is the machine's (%SystemDrive%\Users\...), expanded with its variables.
Str ProfilePathOf(HKEY list, const char* sid) {
    char path[LongestPath] = {};
    DWORD size = sizeof path - 1;
    if (RegGetValueA(list, sid, "ProfileImagePath",
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, path,
                     &size) != ERROR_SUCCESS) {
        return Str();
    }
    return UserContext().Expand(path, "");
}

} // namespace

// Local and domain accounts are S-1-5-21-..., cloud accounts S-1-12-1-...; the service accounts
// (S-1-5-18, -19, -20) and anything else have no person behind them.
bool IsPersonSid(const char* sid) {
    return strncmp(sid, "S-1-5-21-", 9) == 0 || strncmp(sid, "S-1-12-1-", 9) == 0;
}

// The account's name in UTF-8, empty when the SID no longer resolves.
Str AccountOfSid(const char* sid) {
    PSID binary = nullptr;
    if (!ConvertStringSidToSidA(sid, &binary)) {
        return Str();
    }
    wchar_t name[LongestName];
    wchar_t domain[LongestName];
    DWORD nameSize = LongestName;
    DWORD domainSize = LongestName;
    SID_NAME_USE use;
    BOOL found = LookupAccountSidW(nullptr, binary, name, &nameSize, domain, &domainSize, &use);
    LocalFree(binary);
    if (!found || nameSize == 0 || nameSize >= LongestName) {
        return Str();
    }
    return Utf8FromWide(name, static_cast<int32_t>(nameSize));
}

void UserProfileList::Read() {
    profiles.clear();
    ProfileListKeyHandle list;
    if (!list.key) {
        return;
    }
    char sid[LongestSid];
    for (DWORD index = 0; Count() < MostProfiles; ++index) {
        DWORD size = LongestSid;
        LONG status =
            RegEnumKeyExA(list.key, index, sid, &size, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS || !IsPersonSid(sid)) {
            continue;
        }
        UserProfile profile;
        profile.Sid.Assign(sid);
        profile.ProfilePath = ProfilePathOf(list.key, sid);
        profile.Account = AccountOfSid(sid);
        if (profile.Account.IsEmpty()) {
            profile.Account = LastPart(profile.ProfilePath);
        }
        profiles.push_back(profile);
    }
}
