#pragma once

#include <windows.h>

// The window mode of the program: class registration, start of the application object and the
// message loop that runs until the main window is gone. Returns the process exit code.
int ProgramEntry(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
