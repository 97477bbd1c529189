#pragma once

#include <cstdint>

// One signed decimal number at the start of the text (leading blanks and a sign allowed, the rest
// ignored); 0 when there is none.
int32_t ParseInt(const char* text);
