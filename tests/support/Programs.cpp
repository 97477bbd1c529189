#include "Programs.h"

#include <windows.h>

#include <cstdio>

namespace {

// A handle the child inherits, made anew for writing or opened for reading; closed when the
// wrapper goes.
class InheritedFile {
public:
    InheritedFile(const std::string& path, DWORD access) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        handle = CreateFileA(path.empty() ? "NUL" : path.c_str(), access,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             access == GENERIC_READ ? OPEN_EXISTING : CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    InheritedFile(const InheritedFile&) = delete;
    InheritedFile& operator=(const InheritedFile&) = delete;
    ~InheritedFile() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }

    HANDLE handle;
};

} // namespace

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    return program.substr(0, program.rfind('\\'));
}

ProgramRun RunProgram(const std::string& commandLine, const std::string& outputFile,
                      const std::string& errorFile, unsigned long timeoutMs,
                      const std::string& inputFile) {
    ProgramRun run;
    InheritedFile input(inputFile, GENERIC_READ);
    InheritedFile output(outputFile, GENERIC_WRITE);
    InheritedFile error(errorFile, GENERIC_WRITE);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inputFile.empty() ? nullptr : input.handle;
    startup.hStdOutput = output.handle;
    startup.hStdError = error.handle;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    std::string folder = ProgramFolder();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &process)) {
        // Said here, where the system's code is still known: the caller only sees "not finished".
        DWORD error = GetLastError();
        std::fprintf(stderr, "RunProgram: could not start %s: system error %lu\n",
                     commandLine.c_str(), error);
        return run;
    }
    run.started = true;
    run.finished = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (!run.finished) {
        std::fprintf(stderr, "RunProgram: ended after %lu ms: %s\n", timeoutMs,
                     commandLine.c_str());
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
