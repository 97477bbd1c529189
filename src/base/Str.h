#pragma once

#include <cstdint>

// Character storage shared by reference count; the text follows the count directly.
struct StrBlock {
    int32_t refs;
    char text[1];
};

class Str {
public:
    // Format keeps at most this many characters of its output.
    static constexpr int32_t FormatLimit = 8191;

    Str() = default;
    Str(const char* text);
    Str(const char* text, int32_t count);
    Str(const Str& other);
    virtual ~Str();

    Str& operator=(const Str& other) { return Assign(other); }

    const char* Text() const { return block ? block->text : ""; }
    int32_t Length() const { return length; }
    bool IsEmpty() const { return length == 0; }
    int32_t Capacity() const { return capacity; }
    int32_t BlockRefs() const { return block ? block->refs : 0; }

    Str& Assign(const char* text);
    Str& Assign(const Str& other);
    Str& Append(const char* text);
    Str& Append(const Str& text) { return Append(text.Text()); }
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void LoadText(unsigned id);
    void Empty();

    friend Str Concat(const Str& left, const Str& right);
    friend Str Concat(const Str& left, const char* right);

private:
    bool MakeBlock(int64_t needed, int64_t capacity);
    bool Grow(int64_t needed);
    void Release();

    StrBlock* block = nullptr;
    int32_t capacity = 0;
    int32_t length = 0;
};

Str Concat(const Str& left, const Str& right);
Str Concat(const Str& left, const char* right);
