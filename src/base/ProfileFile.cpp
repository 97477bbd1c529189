#include "base/ProfileFile.h"

#include <windows.h>

namespace {

// The system's reader looks a settings file's name up in the registry's list of files it keeps
// there, then opens the file, even when no file is there. A full path to a file or folder that
// does not exist gives the default at once; any other path (a bare name, which the system
// looks for in the Windows folder, or a file it cannot tell of) is the system's to read.
bool KnownMissing(const char* path) {
    bool fullPath = (path[0] != '\0' && path[1] == ':' && path[2] == '\\') ||
                    (path[0] == '\\' && path[1] == '\\');
    if (!fullPath || GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

Str ReadProfileText(const char* path, const char* section, const char* key,
                    const char* defaultText) {
    if (KnownMissing(path)) {
        return Str(defaultText);
    }
    char buffer[512];
    GetPrivateProfileStringA(section, key, defaultText, buffer, sizeof buffer, path);
    return Str(buffer);
}

int32_t ReadProfileNumber(const char* path, const char* section, const char* key,
                          int32_t defaultValue) {
    if (KnownMissing(path)) {
        return defaultValue;
    }
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, defaultValue, path));
}
