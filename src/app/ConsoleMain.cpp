#include "app/CommandLine.h"
#include "app/DoctorApp.h"
#include "app/OutputChannel.h"
#include "app/SwitchMode.h"
#include "base/CharBuffer.h"
#include "base/SystemPaths.h"

#include <windows.h>

#include <cstring>

// VLDoctor.com, the console companion of VLDoctor.exe: command prompts try .com before .exe and
// wait for a console program, so "VLDoctor /report" typed at a prompt waits and sets the exit code.

namespace {

DoctorApp TheDoctorApp;

// The window program of the pair: this program's own path with .exe for its extension; empty
// when the path has no extension to replace.
Str WindowProgramPath() {
    Str path = ModulePath(nullptr);
    const char* text = path.Text();
    const char* dot = strrchr(text, '.');
    const char* folderEnd = strrchr(text, '\\');
    if (!dot || (folderEnd && dot < folderEnd)) {
        return Str();
    }
    return Concat(Str(text, static_cast<int32_t>(dot - text)), ".exe");
}

// Starts the window program without handing it this console's handles, and does not wait.
int StartWindowProgram() {
    Str path = WindowProgramPath();
    if (path.IsEmpty()) {
        WriteToStandardError(Str("VLDoctor: cannot find the window program\r\n"));
        return 2;
    }
    Str commandLine;
    commandLine.Format("\"%s\"", path.Text());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // CreateProcessA may write into the command line: it gets a copy it owns.
    CharBuffer line(static_cast<size_t>(commandLine.Length()) + 1);
    if (!line.Data()) {
        return 2;
    }
    memcpy(line.Data(), commandLine.Text(), static_cast<size_t>(commandLine.Length()));
    if (!CreateProcessA(path.Text(), line.Data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        uint32_t error = GetLastError();
        Str what;
        what.Format("cannot start '%s'", path.Text());
        WriteFailureToStandardError(what, error);
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
