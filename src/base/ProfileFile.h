#pragma once

#include "base/Str.h"

#include <cstdint>

// Settings files (section, key = value): a missing file, section or key gives the default.
Str ReadProfileText(const char* path, const char* section, const char* key,
                    const char* defaultText);
int32_t ReadProfileNumber(const char* path, const char* section, const char* key,
                          int32_t defaultValue);
