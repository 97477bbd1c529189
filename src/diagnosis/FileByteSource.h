#pragma once

#include "diagnosis/ByteSource.h"

// A file opened for reading, shared with readers and writers as the product's own programs and
// logs are; sizes and offsets are 64 bits wide. The size is taken when the file is opened.
class FileByteSource : public ByteSource {
public:
    FileByteSource() = default;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;
    ~FileByteSource() override;

    bool Open(const char* path);
    // The system's reason when the last open failed.
    uint32_t OpenError() const { return openError; }
    int64_t Size() const override { return size; }
    bool ReadAt(int64_t offset, char* buffer, int32_t count) override;

private:
    void Close();

    void* file = nullptr; // the system's handle while open
    int64_t size = 0;
    uint32_t openError = 0;
};
