#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const char* const MainCaption = "Doctor Velmont";
const DWORD ProgramLimit = 30000;

struct ProcessWindowSearch {
    DWORD process;
    HWND found;
};

HWND FindMainWindowOf(DWORD process) {
    ProcessWindowSearch search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<ProcessWindowSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char caption[32] = {};
            GetWindowTextA(window, caption, sizeof caption);
            if (owner != s->process || !IsWindowVisible(window) ||
                std::string(caption) != MainCaption) {
                return TRUE;
            }
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The real program, started in window mode; ended by force if a test leaves it running.
class RunningProgram {
public:
    RunningProgram() {
        const char* folder = getenv("VLD_BIN_DIR");
        std::string command = std::string("\"") + (folder ? folder : ".") + "\\VLDoctor.exe\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &info) != 0;
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram() {
        if (!started) {
            return;
        }
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info.hProcess, 99);
        }
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }

    HWND WaitForMainWindow() {
        HWND main = nullptr;
        WaitUntil([&] { return (main = FindMainWindowOf(info.dwProcessId)) != nullptr; },
                  ProgramLimit);
        return main;
    }
    bool Ended() { return WaitForSingleObject(info.hProcess, ProgramLimit) == WAIT_OBJECT_0; }
    DWORD ExitCode() {
        DWORD code = 12345;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }

    bool started = false;
    PROCESS_INFORMATION info = {};
};

} // namespace

TEST(Program, WindowModeEndsWithExitCodeZero) {
    enum Close { EscapeKey, CloseButton, CloseBox };
    for (Close close : {EscapeKey, CloseButton, CloseBox}) {
        RunningProgram program;
        ASSERT_TRUE(program.started);
        HWND main = program.WaitForMainWindow();
        ASSERT_NE(nullptr, main) << close;
        EXPECT_EQ("Ready for analysis to begin. Press  Diagnose to begin", ItemText(main, 1002));
        if (close == EscapeKey) {
            PressKey(main, VK_ESCAPE);
        } else if (close == CloseButton) {
            PostMessageA(GetDlgItem(main, IDCANCEL), BM_CLICK, 0, 0);
        } else {
            PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        ASSERT_TRUE(program.Ended()) << close;
        EXPECT_EQ(0u, program.ExitCode()) << close;
    }
}
