#pragma once

#include "diagnosis/ByteSource.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// A file held in memory. Reading outside it fails, or, for code that promises never to ask for
// bytes outside the file, counts as a finding.
class MemorySource : public ByteSource {
public:
    MemorySource(const void* bytes, int64_t size, bool outsideIsFinding)
        : bytes(static_cast<const char*>(bytes)), size(size), outsideIsFinding(outsideIsFinding) {}
    int64_t Size() const override { return size; }
    bool ReadAt(int64_t offset, char* buffer, int32_t count) override {
        if (offset < 0 || count < 0 || offset > size - count) {
            if (outsideIsFinding) {
                abort();
            }
            return false;
        }
        memcpy(buffer, bytes + offset, static_cast<size_t>(count));
        return true;
    }

private:
    const char* bytes;
    int64_t size;
    bool outsideIsFinding;
};
