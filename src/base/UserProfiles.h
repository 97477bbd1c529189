#pragma once

#include "base/Str.h"

#include <cstdint>
#include <vector>

// One person's profile on this machine, as the system's profile list records it.
struct UserProfile {
    Str Sid;
    Str Account;     // the name the SID resolves to, else the profile folder's name
    Str ProfilePath; // expanded
};

// The profiles that belong to people (local, domain and cloud accounts), in the order the
// system lists them; not the system, local-service and network-service accounts.
class UserProfileList {
public:
    static constexpr int32_t MostProfiles = 1000;

    void Read();
    int32_t Count() const { return static_cast<int32_t>(profiles.size()); }
    const UserProfile& At(int32_t index) const { return profiles[static_cast<size_t>(index)]; }

private:
    std::vector<UserProfile> profiles;
};

bool IsPersonSid(const char* sid);
Str AccountOfSid(const char* sid);
