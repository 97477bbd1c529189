#include "diagnosis/ParseInt.h"

#include <cctype>
#include <cstdlib>

// Reads as the C library's "%d" conversion does (blanks, a sign, the digits, the value cut to 32
// bits), without linking the library's whole formatted scanner for it.
bool ScanDecimal(const char*& text, int32_t& value) {
    const char* start = text;
    while (isspace(static_cast<unsigned char>(*start))) {
        ++start;
    }
    const char* digits = start + (*start == '+' || *start == '-');
    if (!isdigit(static_cast<unsigned char>(*digits))) {
        return false;
    }
    char* end = nullptr;
    value = static_cast<int32_t>(strtoll(start, &end, 10));
    text = end;
    return true;
}

int32_t ParseInt(const char* text) {
    int32_t number = 0;
    if (!text || !ScanDecimal(text, number)) {
        return 0;
    }
    return number;
}
