#include "app/CommandLine.h"
#include "app/DoctorApp.h"
#include "app/OutputChannel.h"
#include "app/SwitchMode.h"
#include "base/SystemErrorText.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

// VLDoctor.com, the console companion of VLDoctor.exe: command prompts try .com before .exe and
// wait for a console program, so "VLDoctor /report" typed at a prompt waits and sets the exit code.

namespace {

DoctorApp TheDoctorApp;

const char WindowProgramExtension[] = ".exe";

// The window program of the pair: this program's own path with .exe for its extension.
bool FindWindowProgram(char (&path)[MAX_PATH + 1]) {
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    char* dot = strrchr(path, '.');
    if (!dot || dot < strrchr(path, '\\') ||
        dot + sizeof WindowProgramExtension > path + sizeof path) {
        return false;
    }
    memcpy(dot, WindowProgramExtension, sizeof WindowProgramExtension);
    return true;
}

// Starts the window program without handing it this console's handles, and does not wait.
int StartWindowProgram() {
    char path[MAX_PATH + 1] = {};
    if (!FindWindowProgram(path)) {
        WriteToStandardError(Str("VLDoctor: cannot find the window program\r\n"));
        return 2;
    }
    char commandLine[MAX_PATH + 3] = {};
    snprintf(commandLine, sizeof commandLine, "\"%s\"", path);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        Str reason;
        reason.Format("VLDoctor: cannot start '%s': %s", path,
                      SystemErrorText(GetLastError()).Text());
        WriteToStandardError(reason);
        return 2;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine command = ParseCommandLine(argc, argv);
    if (command.mode == RunMode::Window) {
        return StartWindowProgram();
    }
    return RunSwitchMode(TheDoctorApp, GetModuleHandleA(nullptr), command);
}
