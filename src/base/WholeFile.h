#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The path for the system's wide calls: as it stands up to MAX_PATH; longer, made absolute and
// given the \\?\ prefix, which lifts the length limit where the system's own setting does not.
std::wstring ExtendedPath(const char* path);

// The system's call that moves a new file over an existing one (ReplaceFileW): a test hands in
// one that fails as the system can, with codes Wine's never gives.
using ReplaceFileCall = BOOL(WINAPI*)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                      DWORD flags, LPVOID exclude, LPVOID reserved);

// Writes the bytes to path whole or not at all: to a new file in path's folder, flushed, then
// moved over path in one step (an existing file keeps its security settings and attributes).
// On failure the new file is removed, an existing file at path keeps its bytes, and error holds
// the system's code of the step that failed. A path that names a device (NUL, a console, a
// pipe) takes the bytes directly.
bool WriteWholeFile(const char* path, const char* data, int32_t length, uint32_t& error,
                    ReplaceFileCall replace = ReplaceFileW);
