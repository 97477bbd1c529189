#pragma once

#include <cstdint>

// One signed decimal number at the start of the text (leading blanks and a sign allowed, the rest
// ignored); 0 when there is none.
int32_t ParseInt(const char* text);

// The same number at text, which then points past its last digit; false (text unchanged) when
// there is none.
bool ScanDecimal(const char*& text, int32_t& value);
