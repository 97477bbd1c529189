#pragma once

#include <windows.h>

#include <string>

// Direct registry access for arranging and inspecting test states, in the 32-bit view that the
// Doctor reads.
namespace TestRegistry {

extern const char* const ProductRoot;   // Software\Tessaly
extern const char* const SettingsPath;  // ...\Velmont\Settings
extern const char* const UninstallPath; // ...\Uninstall\Tessaly Velmont

void DeleteTree(HKEY root, const char* path);
void ClearProduct();
bool KeyExists(HKEY root, const char* path);
void SetString(HKEY root, const char* path, const char* name, const std::string& value,
               DWORD type = REG_SZ);
void SetDword(HKEY root, const char* path, const char* name, DWORD value);
void SetBinary(HKEY root, const char* path, const char* name, const std::string& bytes,
               DWORD type = REG_BINARY);
bool GetDword(HKEY root, const char* path, const char* name, DWORD& value);
// The names of the keys under HKEY_USERS, one a line: the hives loaded.
std::string UsersKeys();
// The backup privilege, which RegSaveKey needs, for this process.
bool EnableBackupPrivilege();

} // namespace TestRegistry

// Removes the product's keys before and after a test. Like every deletion here, it refuses to
// run outside Wine, where the keys would be a real installation's.
class ProductRegistryScope {
public:
    ProductRegistryScope() { TestRegistry::ClearProduct(); }
    ~ProductRegistryScope() { TestRegistry::ClearProduct(); }
};
