#include "WindowRun.h"

#include "Programs.h"
#include "WindowDriver.h"
#include "WindowSearch.h"

#include <vector>

const char* const MainCaption = "Doctor Velmont";
const char* const ReportCaption = "Doctor's Report";

WindowRun::WindowRun() {
    std::string command = "\"" + ProgramFolder() + "\\VLDoctor.exe\"";
    std::string folder = ProgramFolder();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &startup, &info) != 0;
}

WindowRun::~WindowRun() {
    if (!started) {
        return;
    }
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

HWND WindowRun::WaitForWindow(const char* caption, DWORD limit) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowOf(info.dwProcessId, caption)) != nullptr; }, limit);
    return window;
}

bool WindowRun::EndedCleanly() {
    DWORD code = 99;
    return started && WaitForSingleObject(info.hProcess, WindowLimit) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(info.hProcess, &code) && code == 0;
}

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text(static_cast<size_t>(length) + 1);
    LRESULT got =
        SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<size_t>(got));
}
