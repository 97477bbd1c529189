// CompareVersion of any text and minima against a model of "%d.%d.%d" and the ordering rules.
// The first twelve bytes are the three minima, the rest the version text.
#include "diagnosis/CompareVersion.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

enum class Read { Number, NoNumber, TooLarge };

Read ReadNumber(const char*& p, int32_t& number) {
    char* end = nullptr;
    errno = 0;
    long long value = strtoll(p, &end, 10);
    if (end == p) {
        return Read::NoNumber;
    }
    p = end;
    if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
        return Read::TooLarge;
    }
    number = static_cast<int32_t>(value);
    return Read::Number;
}

// Reads three numbers as "%d.%d.%d" does; false when the text does not hold them.
Read ReadVersion(const char* p, int32_t (&numbers)[3]) {
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && *p++ != '.') {
            return Read::NoNumber;
        }
        Read read = ReadNumber(p, numbers[i]);
        if (read != Read::Number) {
            return read;
        }
    }
    return Read::Number;
}

int32_t ModelCompare(const int32_t (&version)[3], const int32_t (&minimum)[3]) {
    const int32_t newer[] = {100, 10, 1};
    for (int i = 0; i < 3; ++i) {
        if (version[i] != minimum[i]) {
            return version[i] > minimum[i] ? newer[i] : -1;
        }
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t minimum[3] = {4, 21, 7022};
    if (size >= sizeof minimum) {
        memcpy(minimum, data, sizeof minimum);
        data += sizeof minimum;
        size -= sizeof minimum;
    }
    std::string text(reinterpret_cast<const char*>(data), size);
    int32_t result = CompareVersion(text.c_str(), minimum[0], minimum[1], minimum[2]);
    if (result != -1 && result != 0 && result != 1 && result != 10 && result != 100) {
        abort();
    }
    int32_t version[3] = {};
    Read read = ReadVersion(text.c_str(), version);
    if (read == Read::TooLarge) {
        return 0; // beyond 32 bits the C library's scanf decides
    }
    int32_t expected = read == Read::Number ? ModelCompare(version, minimum) : -1;
    if (result != expected) {
        abort();
    }
    return 0;
}
