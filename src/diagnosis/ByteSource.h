#pragma once

#include <cstdint>

// Random read access to the bytes of a file of known size.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int64_t Size() const = 0;
    // Fills buffer with count bytes from offset; false when they cannot all be read.
    virtual bool ReadAt(int64_t offset, char* buffer, int32_t count) = 0;
};
