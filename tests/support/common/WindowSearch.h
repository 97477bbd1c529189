#pragma once

#include <windows.h>

// The visible top-level window of the process with exactly this caption, or null.
HWND FindWindowOf(DWORD process, const char* caption);
