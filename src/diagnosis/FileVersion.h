#pragma once

#include "base/Str.h"

// The FileVersion text of the file's version resource, or "Unknown".
Str GetFileVersionText(const char* path);
