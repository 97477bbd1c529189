#pragma once

#include "base/Str.h"

#include <windows.h>

// Paths the system names, whole: in UTF-8 a path of MAX_PATH characters takes up to three times
// as many bytes, so each is read into a buffer of the size the system asks for. Empty on failure.

// A folder of the GetWindowsDirectoryA kind (GetSystemDirectoryA, GetSystemWow64DirectoryA).
Str QueryFolder(UINT(WINAPI* query)(LPSTR, UINT));
// The temporary folder with its final backslash.
Str TempFolder();
// The file of a loaded module (null: the program).
Str ModulePath(HMODULE module);
