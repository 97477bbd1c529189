#pragma once

#include "base/Str.h"

#include <string>

// The program's own texts are UTF-8: its manifest makes that the code page of every ...A call.
// These helpers carry them to and from the system's UTF-16 calls, and read the product's files,
// which the product (an ANSI program) writes in the system's ANSI code page.

std::wstring WideFromUtf8(const char* text, int32_t length);
std::wstring WideFromUtf8(const Str& text);
Str Utf8FromWide(const wchar_t* text, int32_t length);

// The ANSI code page of the system's locale, not the process's (which the manifest sets to UTF-8).
unsigned SystemAnsiCodePage();

// Text of the product's files as UTF-8, line by line: a line that is valid UTF-8 stays as it is,
// any other is decoded with the system's ANSI code page.
Str ProductTextAsUtf8(const Str& text);
