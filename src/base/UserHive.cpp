#include "base/UserHive.h"

#include "base/JoinPath.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const HiveFileName = "NTUSER.DAT";
const DWORD MaxMountName = 256;
const DWORD MostUserHives = 10000;

// Loading and unloading a hive under HKEY_USERS needs the backup and restore privileges, held
// by administrators and the system account but enabled in neither's token by default. Enabled
// for the object's life, then put back as they were.
class HivePrivileges {
public:
    HivePrivileges() {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
            token = nullptr;
            return;
        }
        struct {
            DWORD count;
            LUID_AND_ATTRIBUTES privileges[2];
        } wanted = {2, {}};
        bool named = LookupPrivilegeValueA(nullptr, SE_BACKUP_NAME, &wanted.privileges[0].Luid) &&
                     LookupPrivilegeValueA(nullptr, SE_RESTORE_NAME, &wanted.privileges[1].Luid);
        wanted.privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        wanted.privileges[1].Attributes = SE_PRIVILEGE_ENABLED;
        DWORD size = sizeof previous;
        adjusted = named &&
                   AdjustTokenPrivileges(token, FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&wanted),
                                         sizeof previous,
                                         reinterpret_cast<TOKEN_PRIVILEGES*>(&previous), &size);
    }
    HivePrivileges(const HivePrivileges&) = delete;
    HivePrivileges& operator=(const HivePrivileges&) = delete;
    ~HivePrivileges() {
        if (adjusted) {
            AdjustTokenPrivileges(token, FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&previous), 0,
                                  nullptr, nullptr);
        }
        if (token) {
            CloseHandle(token);
        }
    }

private:
    HANDLE token = nullptr;
    bool adjusted = false;
    struct {
        DWORD count;
        LUID_AND_ATTRIBUTES privileges[2];
    } previous = {};
};

// Unique to this run: the process id, which no other running process has, and a count.
Str NewMountName() {
    static unsigned long mounts = 0;
    Str name;
    name.Format("VLDoctor.%lu.%lu", static_cast<unsigned long>(GetCurrentProcessId()), ++mounts);
    return name;
}

// Unloads a mount of this program's, or removes the empty key Wine leaves of a failed one.
void Unmount(const char* name) {
    HivePrivileges privileges;
    if (RegUnLoadKeyA(HKEY_USERS, name) != ERROR_SUCCESS) {
        RegDeleteKeyA(HKEY_USERS, name);
    }
}

// The process of a mount name as this program makes them, "VLDoctor.<process>.<count>" and
// nothing after; false for any other name.
bool MountProcess(const char* name, unsigned long& process) {
    static const char Prefix[] = "VLDoctor.";
    if (strncmp(name, Prefix, sizeof Prefix - 1) != 0) {
        return false;
    }
    const char* digits = name + sizeof Prefix - 1;
    char* end = nullptr;
    if (!isdigit(static_cast<unsigned char>(*digits))) {
        return false;
    }
    process = strtoul(digits, &end, 10);
    if (*end != '.' || !isdigit(static_cast<unsigned char>(end[1]))) {
        return false;
    }
    strtoul(end + 1, &end, 10);
    return *end == '\0';
}

// A mount whose run has ended: the process the name gives no longer exists.
bool IsAbandonedMount(const char* name) {
    unsigned long process = 0;
    if (!MountProcess(name, process) || process == GetCurrentProcessId()) {
        return false;
    }
    // A process that has ended may still be there while another holds it (a debugger).
    HANDLE owner = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!owner) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    DWORD exitCode = 0;
    bool ended = GetExitCodeProcess(owner, &exitCode) && exitCode != STILL_ACTIVE;
    CloseHandle(owner);
    return ended;
}

} // namespace

// A run ended by force (a management tool's time limit, a user's kill) cannot unload its mounts
// itself, where the system does not release them with the process (Wine does not): the next run
// does, for the mounts of runs that have ended.
void ReleaseAbandonedMounts() {
    char name[MaxMountName];
    for (DWORD index = 0, seen = 0; seen < MostUserHives; ++seen) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(HKEY_USERS, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        if (IsAbandonedMount(name)) {
            Unmount(name);
        } else {
            ++index;
        }
    }
}

// A logged-on user's hive is open as HKEY_USERS\<SID>; a missing key there means logged off.
bool UserHive::Open(const UserProfile& profile) {
    Release();
    HKEY loaded = nullptr;
    LONG status = RegOpenKeyExA(HKEY_USERS, profile.Sid.Text(), 0, KEY_READ, &loaded);
    if (status == ERROR_SUCCESS) {
        root = loaded;
        source = HiveSource::Loaded;
        return true;
    }
    if (status != ERROR_FILE_NOT_FOUND) {
        return Fail(static_cast<uint32_t>(status));
    }
    // A profile without a path (none recorded, or one too long to read) has no hive to guess at.
    if (profile.ProfilePath.IsEmpty()) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    return OpenFile(JoinPath(profile.ProfilePath, HiveFileName));
}

bool UserHive::OpenFile(const Str& path) {
    if (GetFileAttributesA(path.Text()) == INVALID_FILE_ATTRIBUTES) {
        return Fail(GetLastError());
    }
    if (LoadPrivately(path)) {
        return true;
    }
    return Mount(path);
}

// The private load shows nothing in HKEY_USERS and ends with the process, however it ends. Wine
// answers it with a key that cannot be used: only a key that answers a query counts.
bool UserHive::LoadPrivately(const Str& path) {
    HKEY key = nullptr;
    if (privateLoad(path.Text(), &key, KEY_READ, REG_PROCESS_APPKEY, 0) != ERROR_SUCCESS) {
        return false;
    }
    DWORD subKeys = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return false;
    }
    root = key;
    source = HiveSource::File;
    return true;
}

bool UserHive::Mount(const Str& path) {
    Str name = NewMountName();
    LONG status;
    {
        HivePrivileges privileges;
        status = RegLoadKeyA(HKEY_USERS, name.Text(), path.Text());
    }
    if (status != ERROR_SUCCESS) {
        // Wine leaves the mount's key behind when a file is not a hive.
        Unmount(name.Text());
        return Fail(static_cast<uint32_t>(status));
    }
    mountName = name;
    HKEY key = nullptr;
    status = RegOpenKeyExA(HKEY_USERS, name.Text(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) {
        Release();
        return Fail(static_cast<uint32_t>(status));
    }
    root = key;
    source = HiveSource::File;
    return true;
}

bool UserHive::Fail(uint32_t code) {
    error = code;
    source = HiveSource::NotRead;
    return false;
}

// Every key below the hive must be closed before it unloads; the run's RegKeys live shorter.
void UserHive::Release() {
    if (root) {
        RegCloseKey(root);
        root = nullptr;
    }
    if (!mountName.IsEmpty()) {
        Unmount(mountName.Text());
        mountName.Empty();
    }
    source = HiveSource::NotRead;
    error = 0;
}
