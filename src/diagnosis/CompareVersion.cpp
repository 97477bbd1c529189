#include "diagnosis/CompareVersion.h"

#include "diagnosis/ParseInt.h"

namespace {

// "major.minor.build" at the start of the text, each part read as ParseInt reads a number.
bool ScanVersion(const char* text, int32_t& major, int32_t& minor, int32_t& build) {
    return text && ScanDecimal(text, major) && *text++ == '.' && ScanDecimal(text, minor) &&
           *text++ == '.' && ScanDecimal(text, build);
}

} // namespace

int32_t CompareVersion(const char* text, int32_t minMajor, int32_t minMinor, int32_t minBuild) {
    int32_t major = 0;
    int32_t minor = 0;
    int32_t build = 0;
    if (!ScanVersion(text, major, minor, build)) {
        return -1;
    }
    if (major != minMajor) {
        return major > minMajor ? 100 : -1;
    }
    if (minor != minMinor) {
        return minor > minMinor ? 10 : -1;
    }
    if (build != minBuild) {
        return build > minBuild ? 1 : -1;
    }
    return 0;
}
