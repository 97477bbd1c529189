#pragma once

#include "base/Str.h"

bool WriteToFile(const char* path, const Str& text);
bool WriteToStandardOutput(const Str& text);
void WriteToStandardError(const Str& text);
