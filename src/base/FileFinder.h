#pragma once

#include "base/Str.h"

#include <windows.h>

bool DirectoryExists(const char* path);

// One search of the file system; entries come in the file system's order.
class FileFinder {
public:
    FileFinder() = default;
    FileFinder(const FileFinder&) = delete;
    FileFinder& operator=(const FileFinder&) = delete;
    virtual ~FileFinder();

    bool FindFirst(const char* pattern);
    bool FindNext();
    Str FileName() const { return Str(found.cFileName); }

private:
    WIN32_FIND_DATAA found = {};
    HANDLE search = INVALID_HANDLE_VALUE;
    bool firstPending = false;
};
