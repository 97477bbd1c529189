#pragma once

#include <cstdint>

// Compares the version text major.minor.build (anything after the build ignored) with a minimum:
// 100, 10 or 1 when it is newer in major, minor or build, 0 when equal, -1 when it is older or
// cannot be read as three numbers.
int32_t CompareVersion(const char* text, int32_t minMajor, int32_t minMinor, int32_t minBuild);
