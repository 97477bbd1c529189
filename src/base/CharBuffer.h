#pragma once

#include <cstddef>
#include <new>

// A zero-filled block of characters whose allocation never throws: Data() is null when the
// memory was not there, and every caller falls back to its default then.
class CharBuffer {
public:
    explicit CharBuffer(size_t size) : data(new (std::nothrow) char[size > 0 ? size : 1]()) {}
    CharBuffer(const CharBuffer&) = delete;
    CharBuffer& operator=(const CharBuffer&) = delete;
    ~CharBuffer() { delete[] data; }

    char* Data() const { return data; }

private:
    char* data;
};
