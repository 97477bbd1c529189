#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One key opened for writing in the 32-bit view (where the product's installer writes).
class WritableKey {
public:
    WritableKey(HKEY root, const std::string& path) {
        if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            key = nullptr;
            ok = false;
        }
    }
    WritableKey(const WritableKey&) = delete;
    WritableKey& operator=(const WritableKey&) = delete;
    ~WritableKey() {
        if (key) {
            RegCloseKey(key);
        }
    }

    void Text(const std::string& name, const std::string& value) {
        Set(name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
            static_cast<DWORD>(value.size() + 1));
    }
    // A text the reader expands with the environment of the user whose hive holds it.
    void ExpandText(const std::string& name, const std::string& value) {
        Set(name, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
            static_cast<DWORD>(value.size() + 1));
    }
    void Number(const std::string& name, DWORD value) {
        Set(name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    // A list as the product keeps it: <prefix>Count and <prefix>0, <prefix>1, ...
    void List(const std::string& prefix, const std::vector<std::string>& items) {
        Number(prefix + "Count", static_cast<DWORD>(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            Text(prefix + std::to_string(i), items[i]);
        }
    }
    bool Ok() const { return ok; }

private:
    void Set(const std::string& name, DWORD type, const BYTE* data, DWORD size) {
        ok = key && RegSetValueExA(key, name.c_str(), 0, type, data, size) == ERROR_SUCCESS && ok;
    }

    HKEY key = nullptr;
    bool ok = true;
};
