#pragma once

#include "base/Str.h"

#include <cstdint>

// Replaces the credentials in a text taken from the product by ****: URL passwords, the
// credentials of Authorization headers, Cookie header values and the values of password, token
// and session keys. No rule reaches over a line end, so a text of several lines masks as its
// lines would one by one. Adds the number of credentials masked to masked; a text without any
// comes back unchanged, and a masked text masks to itself.
Str MaskCredentials(const Str& text, int32_t& masked);

// The line that tells support how many credentials were masked in the text it closes ("report",
// "installation log"); empty when there were none.
Str MaskedCountLine(int32_t masked, const char* where);
