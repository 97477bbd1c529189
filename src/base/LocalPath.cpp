#include "base/LocalPath.h"

#include "base/SystemPaths.h"
#include "base/ThreadSlot.h"

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

ThreadSlot<DriveTypeScope> servingScope;

bool IsLetter(char letter) {
    return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

bool IsDriveLetterPath(const char* path) {
    return IsLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// The drive that holds Windows: the system runs from it, so a question about a path on it waits
// no longer than the system itself does, whatever the drive's type. Its type is not asked.
bool IsWindowsDrive(char letter) {
    Str folder = QueryFolder(GetWindowsDirectoryA);
    return folder.Length() >= 3 && folder.Text()[1] == ':' &&
           (folder.Text()[0] | 0x20) == (letter | 0x20);
}

UINT AskDriveType(char letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    return GetDriveTypeA(root);
}

} // namespace

DriveTypeScope::DriveTypeScope() {
    for (UINT& type : types) {
        type = NotAsked;
    }
    if (!servingScope.Get()) {
        serving = servingScope.Set(this);
    }
}

DriveTypeScope::~DriveTypeScope() {
    if (serving) {
        servingScope.Set(nullptr);
    }
}

UINT DriveTypeScope::DriveType(char letter) {
    DriveTypeScope* scope = servingScope.Get();
    if (!scope || !IsLetter(letter)) {
        return AskDriveType(letter);
    }
    UINT& type = scope->types[(letter | 0x20) - 'a'];
    if (type == NotAsked) {
        type = AskDriveType(letter);
    }
    return type;
}

bool IsPlainLocalPath(const char* path) {
    if (!path || !IsDriveLetterPath(path)) {
        return false;
    }
    if (!IsWindowsDrive(path[0]) && DriveTypeScope::DriveType(path[0]) != DRIVE_FIXED) {
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
