#include "base/FileFinder.h"

bool DirectoryExists(const char* path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path, &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileFinder::~FileFinder() {
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
}

bool FileFinder::FindFirst(const char* pattern) {
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    search = FindFirstFileA(pattern, &found);
    firstPending = true;
    return search != INVALID_HANDLE_VALUE;
}

// The first call hands out the entry that FindFirst found; later calls read the next one.
bool FileFinder::FindNext() {
    if (firstPending) {
        firstPending = false;
        return search != INVALID_HANDLE_VALUE;
    }
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    return FindNextFileA(search, &found) != FALSE;
}
