#include "diagnosis/FileByteSource.h"

#include <windows.h>

#include <cstring>

FileByteSource::~FileByteSource() {
    Close();
}

void FileByteSource::Close() {
    if (file) {
        CloseHandle(file);
        file = nullptr;
    }
    size = 0;
    blockStart = 0;
    blockLength = 0;
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

bool FileByteSource::ReadAt(int64_t offset, char* buffer, int32_t count) {
    if (!file || offset < 0 || count < 0 || offset > size - count) {
        return false;
    }
    if (count > BlockSize) {
        return ReadFromFile(offset, buffer, count);
    }
    if (offset < blockStart || offset + count > blockStart + blockLength) {
        int32_t length =
            size - offset < BlockSize ? static_cast<int32_t>(size - offset) : BlockSize;
        blockLength = 0;
        // A file cut short since it was opened may still hold the bytes asked for.
        if (!ReadFromFile(offset, block, length)) {
            return ReadFromFile(offset, buffer, count);
        }
        blockStart = offset;
        blockLength = length;
    }
    memcpy(buffer, block + (offset - blockStart), static_cast<size_t>(count));
    return true;
}

// A read at an offset given in the read itself (OVERLAPPED) would cost Wine a round trip to its
// server, for a completion port no one listens on: the file pointer is set first instead.
bool FileByteSource::ReadFromFile(int64_t offset, char* buffer, int32_t count) {
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
