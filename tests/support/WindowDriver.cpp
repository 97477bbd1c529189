#include "WindowDriver.h"

#include "DialogWatcher.h"

#include <cstring>

std::vector<HWND> VisibleProcessDialogs() {
    std::vector<HWND> dialogs;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (process == GetCurrentProcessId() && strcmp(className, "#32770") == 0 &&
                IsWindowVisible(window)) {
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

namespace {

HWND FindDialog(const std::string* caption, bool enabledOnly) {
    for (HWND window : VisibleProcessDialogs()) {
        if ((!enabledOnly || IsWindowEnabled(window)) &&
            (!caption || WindowText(window) == *caption)) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

WindowDriver::WindowDriver(std::function<void()> actions) {
    driver = std::thread([actions] {
        actions();
        CloseAllDialogs();
    });
}

// The framework posts the quit message whenever its last window goes; a test's next modal
// dialog must not find it in the queue.
WindowDriver::~WindowDriver() {
    driver.join();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD limit) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > limit) {
            return condition();
        }
        Sleep(10);
    }
    return true;
}

HWND FindProcessDialog(const std::string& caption) {
    return FindDialog(&caption, false);
}

HWND WaitForDialog(const std::string& caption, DWORD limit) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessDialog(caption)) != nullptr; }, limit);
    return found;
}

bool WaitUntilGone(HWND window, DWORD limit) {
    return WaitUntil([&] { return !IsWindow(window); }, limit);
}

// The enabled box on top goes first: the windows it disables follow once it is gone.
void CloseAllDialogs() {
    for (int round = 0; round < 20; ++round) {
        HWND open = FindDialog(nullptr, true);
        if (!open) {
            return;
        }
        PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        WaitUntilGone(open, 5000);
    }
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

void PressKey(HWND window, WPARAM key) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    HWND target = info.hwndFocus ? info.hwndFocus : window;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}
