#include "base/Str.h"

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int32_t FormatBufferSize = Str::FormatLimit + 1;

int64_t GrowthCapacity(int64_t needed) {
    return needed + needed / 2;
}

} // namespace

Str::Str(const char* text) {
    if (text && *text) {
        int64_t n = static_cast<int64_t>(strlen(text)) + 1;
        if (MakeBlock(n, n)) {
            memcpy(block->text, text, n);
            length = static_cast<int32_t>(n - 1);
        }
    }
}

Str::Str(const char* text, int32_t count) {
    if (count > 0 && MakeBlock(int64_t{count} + 1, int64_t{count} + 1)) {
        memcpy(block->text, text, count);
        block->text[count] = '\0';
        length = count;
    }
}

Str::Str(const Str& other) {
    if (other.length >= 1) {
        block = other.block;
        ++block->refs;
        length = other.length;
        capacity = length + 1;
    }
}

Str::~Str() {
    Release();
}

void Str::Release() {
    if (block && --block->refs <= 0) {
        free(block);
    }
    block = nullptr;
    capacity = 0;
    length = 0;
}

// Gives this string a fresh private block; on failure (no memory, or a size beyond 32 bits)
// the string is left empty without block.
bool Str::MakeBlock(int64_t needed, int64_t wanted) {
    Release();
    if (needed > INT32_MAX) {
        return false;
    }
    if (wanted > INT32_MAX) {
        wanted = INT32_MAX;
    }
    auto* fresh = static_cast<StrBlock*>(malloc(offsetof(StrBlock, text) + wanted));
    if (!fresh) {
        return false;
    }
    fresh->refs = 1;
    fresh->text[0] = '\0';
    block = fresh;
    capacity = static_cast<int32_t>(wanted);
    return true;
}

bool Str::Grow(int64_t needed) {
    return needed <= INT32_MAX && MakeBlock(needed, GrowthCapacity(needed));
}

Str& Str::Assign(const char* text) {
    if (!*text) {
        Empty();
        return *this;
    }
    int64_t n = static_cast<int64_t>(strlen(text)) + 1;
    bool inPlace = block && block->refs <= 1 && n <= capacity;
    if (!inPlace) {
        if (n > INT32_MAX) {
            return *this;
        }
        // The text may live in our own block: copy it out before the block goes.
        Str keep(*this);
        if (!Grow(n)) {
            return *this;
        }
    }
    memmove(block->text, text, n);
    length = static_cast<int32_t>(n - 1);
    return *this;
}

Str& Str::Assign(const Str& other) {
    if (other.block == block) {
        return *this;
    }
    Release();
    block = other.block;
    capacity = other.capacity;
    length = other.length;
    if (block) {
        ++block->refs;
    }
    return *this;
}

Str& Str::Append(const char* text) {
    if (!*text) {
        return *this;
    }
    int64_t added = static_cast<int64_t>(strlen(text));
    int64_t n = length + added + 1;
    if (n > INT32_MAX) {
        return *this;
    }
    if (block && block->refs <= 1 && n <= capacity) {
        memmove(block->text + length, text, added + 1);
        length = static_cast<int32_t>(n - 1);
        return *this;
    }
    Str old(*this);
    StrBlock* oldBlock = old.block;
    int32_t oldLength = length;
    if (!Grow(n)) {
        Assign(old);
        return *this;
    }
    if (oldBlock) {
        memcpy(block->text, oldBlock->text, oldLength);
    }
    memcpy(block->text + oldLength, text, added + 1);
    length = static_cast<int32_t>(n - 1);
    return *this;
}

void Str::Format(const char* format, ...) {
    char buffer[FormatBufferSize];
    va_list args;
    va_start(args, format);
    int written = vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written < 0) {
        buffer[0] = '\0';
    }
    buffer[FormatBufferSize - 1] = '\0';
    Assign(buffer);
}

void Str::Empty() {
    Release();
}

Str Concat(const Str& left, const char* right) {
    int64_t rightLength = static_cast<int64_t>(strlen(right));
    int64_t n = left.length + rightLength + 1;
    if (n == 1) {
        return Str();
    }
    Str sum;
    if (!sum.Grow(n)) {
        return Str();
    }
    memcpy(sum.block->text, left.Text(), left.length);
    memcpy(sum.block->text + left.length, right, rightLength + 1);
    sum.length = static_cast<int32_t>(n - 1);
    return Str(sum);
}

Str Concat(const Str& left, const Str& right) {
    return Concat(left, right.Text());
}
