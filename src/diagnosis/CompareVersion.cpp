#include "diagnosis/CompareVersion.h"

#include <cstdio>

int32_t CompareVersion(const char* text, int32_t minMajor, int32_t minMinor, int32_t minBuild) {
    int major = 0;
    int minor = 0;
    int build = 0;
    if (!text || sscanf(text, "%d.%d.%d", &major, &minor, &build) != 3) {
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
