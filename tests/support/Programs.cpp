#include "Programs.h"

#include <windows.h>

namespace {

// A handle the child inherits; closed when the wrapper goes.
class InheritedFile {
public:
    explicit InheritedFile(const std::string& path) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        handle = CreateFileA(path.empty() ? "NUL" : path.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
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
                      const std::string& errorFile, unsigned long timeoutMs) {
    ProgramRun run;
    InheritedFile output(outputFile);
    InheritedFile error(errorFile);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output.handle;
    startup.hStdError = error.handle;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    std::string folder = ProgramFolder();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &process)) {
        return run;
    }
    run.started = true;
    run.finished = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (!run.finished) {
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
