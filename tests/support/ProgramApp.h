#pragma once

#include "app/DoctorApp.h"

#include <windows.h>

// The application object as the program's start leaves it, before any window is made: the test
// program is the module, and the paths follow its file name.
class ProgramApp : public DoctorApp {
public:
    ProgramApp() {
        InstanceHandle = GetModuleHandleA(nullptr);
        InitPaths();
    }
};
