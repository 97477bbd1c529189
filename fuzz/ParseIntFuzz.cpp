// ParseInt of any text against strtoll, wherever the number fits 32 bits.
#include "diagnosis/ParseInt.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    int32_t parsed = ParseInt(text.c_str());
    char* end = nullptr;
    errno = 0;
    long long expected = strtoll(text.c_str(), &end, 10);
    if (end == text.c_str()) {
        expected = 0;
    } else if (errno == ERANGE || expected < INT32_MIN || expected > INT32_MAX) {
        return 0; // beyond 32 bits the C library's scanf decides
    }
    if (parsed != expected) {
        abort();
    }
    return 0;
}
