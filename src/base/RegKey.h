#pragma once

#include "base/Str.h"

#include <windows.h>

// One open registry key at a time. Every open asks for the 32-bit view of the registry, where
// the 32-bit product keeps its machine-wide keys. A read-only open may be served by the thread's
// KeyCacheScope (base/KeyCache.h): such a key is the scope's, and the RegKey must not outlive it.
class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    bool OpenUserKey(const char* path, bool readOnly);
    bool OpenMachineKey(const char* path, bool readOnly);
    // Read-only, below a key already open: one level of the path costs one lookup.
    bool OpenSubKey(const RegKey& parent, const char* path);
    bool OpenSubKey(HKEY root, const char* path);
    static bool UserKeyExists(const char* path);
    static bool MachineKeyExists(const char* path);

    // A REG_EXPAND_SZ value comes expanded with the values of the user the run reads.
    Str GetString(const char* name, const char* defaultText) const;
    Str GetUnexpanded(const char* name, const char* defaultText) const;
    uint32_t GetDword(const char* name, uint32_t defaultValue) const;
    bool SetDword(const char* name, uint32_t value);
    bool IsOpen() const { return key != nullptr; }
    void Close();

private:
    bool Open(HKEY root, const char* path, bool readOnly);
    bool ReadText(const char* name, Str& text, DWORD& type) const;
    static bool KeyExists(HKEY root, const char* path);

    HKEY key = nullptr;
    bool owned = false; // closed by Close; else the thread's key cache closes it
};
