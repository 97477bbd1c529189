#pragma once

#include "base/Str.h"

class StrList {
public:
    StrList() = default;
    StrList(const StrList&) = delete;
    StrList& operator=(const StrList&) = delete;
    virtual ~StrList();

    void Add(const Str& item);
    Str GetAt(int32_t index) const;
    int32_t Count() const { return count; }
    int32_t Capacity() const { return capacity; }
    void RemoveAll();

private:
    int32_t count = 0;
    int32_t capacity = 0;
    Str* elements = nullptr;
};

// A list that cuts a text into fields.
class TokenList : public StrList {
public:
    void Split(const Str& text, char separator, int32_t minimum);
};
