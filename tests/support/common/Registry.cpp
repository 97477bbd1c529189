#include "Registry.h"

#include "Wine.h"

namespace TestRegistry {

const char* const ProductRoot = "Software\\Tessaly";
const char* const SettingsPath = "Software\\Tessaly\\Velmont\\Settings";
const char* const UninstallPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaly Velmont";

namespace {

const REGSAM View = KEY_WOW64_32KEY;

HKEY Create(HKEY root, const char* path) {
    HKEY key = nullptr;
    RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS | View, nullptr, &key, nullptr);
    return key;
}

} // namespace

void DeleteTree(HKEY root, const char* path) {
    RequireWine("Velmont Doctor tests");
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
            RegDeleteTreeA(key, nullptr);
            RegCloseKey(key);
            RegDeleteKeyExA(root, path, view, 0);
        }
    }
}

void ClearProduct() {
    DeleteTree(HKEY_CURRENT_USER, ProductRoot);
    DeleteTree(HKEY_LOCAL_MACHINE, ProductRoot);
    DeleteTree(HKEY_LOCAL_MACHINE, UninstallPath);
}

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ | View, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void SetString(HKEY root, const char* path, const char* name, const std::string& value,
               DWORD type) {
    HKEY key = Create(root, path);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void SetDword(HKEY root, const char* path, const char* name, DWORD value) {
    HKEY key = Create(root, path);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void SetBinary(HKEY root, const char* path, const char* name, const std::string& bytes,
               DWORD type) {
    HKEY key = Create(root, path);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

bool GetDword(HKEY root, const char* path, const char* name, DWORD& value) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ | View, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD size = sizeof value;
    LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD;
}

std::string UsersKeys() {
    std::string keys;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(HKEY_USERS, i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return keys;
        }
        keys += std::string(name) + "\n";
    }
}

bool EnableBackupPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
        return false;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool ok = LookupPrivilegeValueA(nullptr, SE_BACKUP_NAME, &privileges.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
              GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return ok;
}

} // namespace TestRegistry
