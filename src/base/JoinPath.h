#pragma once

#include "base/Str.h"

// folder\name, for file paths and registry key paths alike. The folder is taken as it stands:
// an empty folder gives "\name", and a trailing backslash is not folded.
Str JoinPath(const Str& folder, const char* name);
