#pragma once

#include "base/Str.h"

#include <cstdint>

// Writes that fail give the system's error code.
bool WriteToFile(const char* path, const Str& text, uint32_t& error);
bool WriteToStandardOutput(const Str& text, uint32_t& error);
void WriteToStandardError(const Str& text);
// One line: "VLDoctor: <what>: <the system's text of error> (<error>)".
void WriteFailureToStandardError(const Str& what, uint32_t error);
