#include "base/ProfileFile.h"

#include <windows.h>

Str ReadProfileText(const char* path, const char* section, const char* key,
                    const char* defaultText) {
    char buffer[512];
    GetPrivateProfileStringA(section, key, defaultText, buffer, sizeof buffer, path);
    return Str(buffer);
}

int32_t ReadProfileNumber(const char* path, const char* section, const char* key,
                          int32_t defaultValue) {
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, defaultValue, path));
}
