#pragma once

#include <cstdint>

// Whether path names a folder, asked within limitMs (base/BoundedJob.h); false when it does
// not, or when it was given up, which timedOut then tells.
bool DirectoryExistsWithin(const char* path, uint32_t limitMs, bool& timedOut);
