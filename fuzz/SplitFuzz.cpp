// Split with any separator and minimum against a plain model of the field rules. The first byte
// is the separator, the second the minimum (-128 to 127), the rest the text.
#include "base/StrList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Fields are texts, so a NUL byte never becomes part of one.
void Put(std::string& field, char c) {
    if (c != '\0') {
        field += c;
    }
}

std::vector<std::string> ModelSplit(const std::string& text, char separator, int32_t minimum) {
    std::vector<std::string> items;
    std::string field;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i++];
        if (c == '\\') {
            if (i == text.size()) {
                break;
            }
            char next = text[i++];
            if (next != ',' && next != '\\' && next != separator) {
                Put(field, '\\');
            }
            Put(field, next);
        } else if (c == separator) {
            items.push_back(field);
            field.clear();
            while (i < text.size() && text[i] == ' ') {
                ++i;
            }
        } else {
            Put(field, c);
        }
    }
    if (!field.empty() || !items.empty()) {
        items.push_back(field);
    }
    while (static_cast<int32_t>(items.size()) < minimum) {
        items.emplace_back();
    }
    return items;
}

// Capacity after adding count items to an empty list: in place while a slot beyond the new
// item stays free, else a new array of count + count / 2 + 1.
int32_t ModelCapacity(size_t count) {
    int32_t capacity = 0;
    for (int32_t used = 0; used < static_cast<int32_t>(count); ++used) {
        if (used + 1 >= capacity) {
            capacity = used + used / 2 + 1;
        }
    }
    return capacity;
}

void Check(bool condition) {
    if (!condition) {
        abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    char separator = static_cast<char>(data[0]);
    int32_t minimum = static_cast<int8_t>(data[1]);
    std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    TokenList list;
    list.Add(Str("left over"));
    list.Split(Str(text.data(), static_cast<int32_t>(text.size())), separator, minimum);
    std::vector<std::string> expected = ModelSplit(text, separator, minimum);
    Check(list.Count() == static_cast<int32_t>(expected.size()));
    Check(list.Capacity() == ModelCapacity(expected.size()));
    for (int32_t i = 0; i < list.Count(); ++i) {
        Str item = list.GetAt(i);
        Check(item.Length() == static_cast<int32_t>(strlen(item.Text())));
        Check(expected[i] == item.Text());
    }
    Check(list.GetAt(list.Count()).Length() == 0 && list.GetAt(-1).Length() == 0);
    return 0;
}
