#include "base/RegKey.h"

#include "base/CharBuffer.h"
#include "base/KeyCache.h"
#include "base/UserContext.h"

namespace {

const DWORD StringBufferSize = 8192;
const REGSAM View = KEY_WOW64_32KEY;

// A read-only open, served by the keys the thread's run keeps where it keeps this one; owned
// tells whether the key is the caller's to close.
LONG OpenForReading(HKEY root, const char* path, HKEY& opened, bool& owned) {
    LONG status = ERROR_SUCCESS;
    owned = !KeyCacheScope::Serve(root, path, KEY_READ | View, opened, status);
    if (owned) {
        status = RegOpenKeyExA(root, path, 0, KEY_READ | View, &opened);
    }
    return status;
}

} // namespace

// The user's keys are those of the user the thread's run reads: HKEY_CURRENT_USER, or another
// user's hive in a run over every user.
bool RegKey::OpenUserKey(const char* path, bool readOnly) {
    return Open(ActiveUser().Root, path, readOnly);
}

bool RegKey::OpenMachineKey(const char* path, bool readOnly) {
    return Open(HKEY_LOCAL_MACHINE, path, readOnly);
}

bool RegKey::OpenSubKey(const RegKey& parent, const char* path) {
    return parent.key && Open(parent.key, path, true);
}

bool RegKey::OpenSubKey(HKEY root, const char* path) {
    return root && Open(root, path, true);
}

// Reading never creates a key: a read-only open of a missing key fails. Only a writer creates.
bool RegKey::Open(HKEY root, const char* path, bool readOnly) {
    Close();
    HKEY opened = nullptr;
    bool ownsOpened = true;
    LONG status;
    if (readOnly) {
        status = OpenForReading(root, path, opened, ownsOpened);
    } else {
        status = RegCreateKeyExA(root, path, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS | View, nullptr, &opened, nullptr);
    }
    if (status != ERROR_SUCCESS) {
        return false;
    }
    key = opened;
    owned = ownsOpened;
    return true;
}

bool RegKey::UserKeyExists(const char* path) {
    return KeyExists(ActiveUser().Root, path);
}

bool RegKey::MachineKeyExists(const char* path) {
    return KeyExists(HKEY_LOCAL_MACHINE, path);
}

bool RegKey::KeyExists(HKEY root, const char* path) {
    RegKey probe;
    if (!probe.Open(root, path, true)) {
        return false;
    }
    DWORD values = 0;
    return RegQueryInfoKeyA(probe.key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

Str RegKey::GetString(const char* name, const char* defaultText) const {
    DWORD type = 0;
    Str text;
    if (!ReadText(name, text, type)) {
        return Str(defaultText);
    }
    return type == REG_EXPAND_SZ ? ActiveUser().Expand(text.Text(), defaultText) : text;
}

Str RegKey::GetUnexpanded(const char* name, const char* defaultText) const {
    DWORD type = 0;
    Str text;
    return ReadText(name, text, type) ? text : Str(defaultText);
}

// A REG_SZ or REG_EXPAND_SZ value as stored.
bool RegKey::ReadText(const char* name, Str& text, DWORD& type) const {
    if (!key) {
        return false;
    }
    // One byte beyond the value's room keeps a value stored without terminator readable.
    CharBuffer buffer(StringBufferSize + 1);
    if (!buffer.Data()) {
        return false;
    }
    DWORD size = StringBufferSize;
    LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.Data()), &size);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    buffer.Data()[size < StringBufferSize ? size : StringBufferSize] = '\0';
    text.Assign(buffer.Data());
    return true;
}

uint32_t RegKey::GetDword(const char* name, uint32_t defaultValue) const {
    if (!key) {
        return defaultValue;
    }
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) {
        return defaultValue;
    }
    return value;
}

bool RegKey::SetDword(const char* name, uint32_t value) {
    if (!key) {
        return false;
    }
    DWORD data = value;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

void RegKey::Close() {
    if (key && owned) {
        RegCloseKey(key);
    }
    key = nullptr;
    owned = false;
}
