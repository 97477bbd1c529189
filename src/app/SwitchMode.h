#pragma once

#include "app/CommandLine.h"

#include <windows.h>

class DoctorApp;

// Everything but the window: usage, an argument error, or a report mode. Both programs, the
// window program and its console companion, run their switches here. Returns the exit code.
int RunSwitchMode(DoctorApp& app, HINSTANCE instance, const CommandLine& command);
