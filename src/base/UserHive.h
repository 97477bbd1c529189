#pragma once

#include "base/Str.h"
#include "base/UserProfiles.h"

#include <windows.h>

#include <cstdint>

enum class HiveSource { NotRead, Loaded, File };

// The private load of a hive file (RegLoadAppKeyA's form). The system's is the default; a test
// stands in for the part Wine cannot do.
using PrivateHiveLoad = LONG(WINAPI*)(LPCSTR file, PHKEY key, REGSAM access, DWORD options,
                                      DWORD reserved);

// One user's registry, opened read-only for as long as the object lives: the hive as the system
// has it loaded for a logged-on user, or the profile's NTUSER.DAT, loaded privately where the
// system can, else under a name of this run's own in HKEY_USERS, and unloaded on release.
class UserHive {
public:
    explicit UserHive(PrivateHiveLoad privateLoad = RegLoadAppKeyA) : privateLoad(privateLoad) {}
    UserHive(const UserHive&) = delete;
    UserHive& operator=(const UserHive&) = delete;
    ~UserHive() { Release(); }

    bool Open(const UserProfile& profile);
    void Release();
    HKEY Root() const { return root; }
    HiveSource Source() const { return source; }
    uint32_t Error() const { return error; } // the system's reason when not read
    const Str& MountName() const { return mountName; }

private:
    bool OpenFile(const Str& path);
    bool LoadPrivately(const Str& path);
    bool Mount(const Str& path);
    bool Fail(uint32_t code);

    PrivateHiveLoad privateLoad;
    HKEY root = nullptr;
    HiveSource source = HiveSource::NotRead;
    uint32_t error = 0;
    Str mountName;
};

// Unloads the mounts that runs ended by force left in HKEY_USERS.
void ReleaseAbandonedMounts();
