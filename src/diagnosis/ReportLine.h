#pragma once

#include "base/Str.h"

// A report line that Format cut at its limit has lost its line end, and the next line would run
// on behind it: such a line gets CR LF back in place of its last two characters. Any other text
// comes back unchanged.
Str WholeLine(const Str& line);
