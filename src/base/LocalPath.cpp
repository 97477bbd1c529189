#include "base/LocalPath.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

// Attributes of a file that is not where it seems, or not yet there: reading it may wait on
// another computer. The two recall attributes are those of a cloud store's placeholders.
const DWORD RecallOnOpen = 0x40000;
const DWORD RecallOnDataAccess = 0x400000;
const DWORD ElsewhereAttributes =
    FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_OFFLINE | RecallOnOpen | RecallOnDataAccess;

bool IsDriveLetterPath(const char* path) {
    char letter = path[0];
    bool isLetter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
    return isLetter && path[1] == ':' && path[2] == '\\';
}

} // namespace

bool IsPlainLocalPath(const char* path) {
    if (!path || !IsDriveLetterPath(path)) {
        return false;
    }
    const char root[] = {path[0], ':', '\\', '\0'};
    if (GetDriveTypeA(root) != DRIVE_FIXED) {
        return false;
    }
    // Each folder on the way and the path itself, while they exist: what does not exist sends
    // nowhere.
    std::string part(path);
    for (size_t end = part.find('\\', 3);; end = part.find('\\', end + 1)) {
        std::string prefix = part.substr(0, end);
        DWORD attributes = GetFileAttributesA(prefix.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        if (attributes & ElsewhereAttributes) {
            return false;
        }
        if (end == std::string::npos) {
            return true;
        }
    }
}
