#include "base/StrList.h"

#include <new>

StrList::~StrList() {
    RemoveAll();
}

void StrList::Add(const Str& item) {
    if (count + 1 < capacity) {
        elements[count++] = item;
        return;
    }
    int64_t grown = int64_t{count} + count / 2 + 1;
    if (grown > INT32_MAX) {
        return;
    }
    Str* larger = new (std::nothrow) Str[grown];
    if (!larger) {
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        larger[i] = elements[i];
    }
    larger[count] = item;
    delete[] elements;
    elements = larger;
    capacity = static_cast<int32_t>(grown);
    ++count;
}

Str StrList::GetAt(int32_t index) const {
    if (index < 0 || index >= count) {
        return Str();
    }
    return elements[index];
}

void StrList::RemoveAll() {
    delete[] elements;
    elements = nullptr;
    count = 0;
    capacity = 0;
}

// Backslash escapes the next byte when that byte is a comma, a backslash or the separator;
// blanks right after a separator are skipped.
void TokenList::Split(const Str& text, char separator, int32_t minimum) {
    RemoveAll();
    const char* p = text.Text();
    const char* end = p + text.Length();
    Str field;
    char chunk[2] = {0, 0};
    auto put = [&](char c) {
        chunk[0] = c;
        field.Append(chunk);
    };
    while (p < end) {
        char c = *p++;
        if (c == '\\') {
            if (p == end) {
                break;
            }
            char next = *p++;
            if (next != ',' && next != '\\' && next != separator) {
                put('\\');
            }
            put(next);
        } else if (c == separator) {
            Add(field);
            field.Empty();
            while (p < end && *p == ' ') {
                ++p;
            }
        } else {
            put(c);
        }
    }
    if (field.Length() > 0 || Count() > 0) {
        Add(field);
    }
    for (int32_t missing = minimum - Count(); missing > 0; --missing) {
        Add(Str());
    }
}
