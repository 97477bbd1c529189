#pragma once

#include "diagnosis/ByteSource.h"

// A file opened for reading, shared with readers and writers as the product's own programs and
// logs are; sizes and offsets are 64 bits wide. The size is taken when the file is opened. Small
// reads come from a block read ahead of them: a program's headers and its resource directory
// each take a dozen reads a few bytes apart, and every read of the system costs Wine a seek and
// a read, each with its own calls to lock the file's descriptor.
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
    static const int32_t BlockSize = 4096;

    void Close();
    bool ReadFromFile(int64_t offset, char* buffer, int32_t count);

    void* file = nullptr; // the system's handle while open
    int64_t size = 0;
    uint32_t openError = 0;
    char block[BlockSize];
    int64_t blockStart = 0;
    int32_t blockLength = 0;
};
