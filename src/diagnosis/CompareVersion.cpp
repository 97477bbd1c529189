#include "diagnosis/CompareVersion.h"

#include <cstdio>

namespace {

// 1 when number is above minimum, -1 when below, 0 when equal.
int32_t Order(int number, int32_t minimum) {
    return number > minimum ? 1 : (number < minimum ? -1 : 0);
}

} // namespace

int32_t CompareVersion(const char* text, int32_t minMajor, int32_t minMinor, int32_t minBuild) {
    int major = 0;
    int minor = 0;
    int build = 0;
    if (!text || sscanf(text, "%d.%d.%d", &major, &minor, &build) != 3) {
        return -1;
    }
    const int32_t order[] = {Order(major, minMajor), Order(minor, minMinor),
                             Order(build, minBuild)};
    const int32_t newer[] = {100, 10, 1};
    for (int i = 0; i < 3; ++i) {
        if (order[i] != 0) {
            return order[i] > 0 ? newer[i] : -1;
        }
    }
    return 0;
}
