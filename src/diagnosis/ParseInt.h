#pragma once

#include <cstdint>

// The signed decimal number at the start of text (leading white space and a sign allowed, the
// rest ignored), or 0 when there is none.
int32_t ParseInt(const char* text);
