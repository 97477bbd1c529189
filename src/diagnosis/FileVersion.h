#pragma once

#include "base/Str.h"
#include "diagnosis/ByteSource.h"

// The FileVersion text of the version resource of the file at path, open as file, or "Unknown".
Str GetFileVersionText(ByteSource& file, const char* path);
