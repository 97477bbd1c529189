#include "diagnosis/FileByteSource.h"

#include <windows.h>

FileByteSource::~FileByteSource() {
    Close();
}

void FileByteSource::Close() {
    if (file) {
        CloseHandle(file);
        file = nullptr;
    }
    size = 0;
}

bool FileByteSource::Open(const char* path) {
    Close();
    HANDLE opened = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        openError = GetLastError();
        return false;
    }
    file = opened;
    openError = 0;
    LARGE_INTEGER end = {};
    if (GetFileSizeEx(file, &end)) {
        size = end.QuadPart > 0 ? end.QuadPart : 0;
    }
    return true;
}

// A read at an offset given in the read itself (OVERLAPPED) would cost Wine a round trip to its
// server, for a completion port no one listens on: the file pointer is set first instead.
bool FileByteSource::ReadAt(int64_t offset, char* buffer, int32_t count) {
    if (!file || offset < 0 || count < 0 || offset > size - count) {
        return false;
    }
    LARGE_INTEGER at;
    at.QuadPart = offset;
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) {
        return false;
    }
    while (count > 0) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, static_cast<DWORD>(count), &read, nullptr) || read == 0) {
            return false;
        }
        buffer += read;
        count -= static_cast<int32_t>(read);
    }
    return true;
}
