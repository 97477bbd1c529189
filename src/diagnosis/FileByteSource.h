#pragma once

#include "diagnosis/ByteSource.h"

#include <cstdio>

// A file opened for binary reading with the C library; sizes and offsets are 64 bits wide.
// The size is taken when the file is opened.
class FileByteSource : public ByteSource {
public:
    FileByteSource() = default;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;
    ~FileByteSource() override;

    bool Open(const char* path);
    int64_t Size() const override { return size; }
    bool ReadAt(int64_t offset, char* buffer, int32_t count) override;

private:
    void Close();

    FILE* file = nullptr;
    int64_t size = 0;
};
