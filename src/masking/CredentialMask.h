#pragma once

#include "base/Str.h"

#include <cstdint>

// Replaces the credentials in a text taken from the product by ****: URL passwords, the
// credentials of Authorization and API-key headers, Cookie header values, the values of password,
// token, secret and session keys in every form a log writes them (key=value, JSON, YAML, XML,
// connection strings, installer property lines), protocol logins (PASS, AUTH, LOGIN), tokens of a
// known shape and private-key blocks; TokenShapes.h has the table of token shapes. A rule looks at
// one line at a time; only a private-key block (also one whose END comes before any BEGIN) and the
// SASL replies due after AUTH or a 334 prompt carry over to the next lines of the same text. Adds
// the number of credentials masked to masked; a text without any comes back unchanged, and a
// masked text masks to itself: a line with something masked is read once more as it will be
// written, and again only while a reading finds more. One pass over the text, linear in it.
Str MaskCredentials(const Str& text, int32_t& masked);

// The line that tells support how many credentials were masked in the text it closes ("report",
// "installation log"); empty when there were none.
Str MaskedCountLine(int32_t masked, const char* where);
