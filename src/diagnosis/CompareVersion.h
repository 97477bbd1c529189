#pragma once

#include <cstdint>

// Compares the first three dot-separated numbers of a version text with a minimum: -1 when the
// text is older or unreadable, 0 when equal, 1, 10 or 100 when newer in the build, minor or major.
int32_t CompareVersion(const char* text, int32_t minMajor, int32_t minMinor, int32_t minBuild);
