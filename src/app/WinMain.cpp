#include "app/CommandLine.h"
#include "app/DoctorApp.h"
#include "app/ProgramEntry.h"
#include "app/SwitchMode.h"

#include <windows.h>

#include <cstdlib>

namespace {

DoctorApp TheDoctorApp;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    CommandLine command = ParseCommandLine(__argc, __argv);
    if (command.mode == RunMode::Window) {
        return ProgramEntry(instance, previous, commandLine, showCommand);
    }
    return RunSwitchMode(TheDoctorApp, instance, command);
}
