#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// Acts on this process's windows from a second thread while the test's own thread runs a modal
// dialog. When the actions end (however they end), every dialog box of the process is closed,
// so a failed expectation never leaves the modal loop waiting for a person.
class WindowDriver {
public:
    explicit WindowDriver(std::function<void()> actions);
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;
    ~WindowDriver();

private:
    std::thread driver;
};

const DWORD WindowWaitLimit = 15000;

// The visible dialog box of this process with that caption, once it is there; null when it has
// not appeared within the limit.
HWND WaitForDialog(const std::string& caption, DWORD limit = WindowWaitLimit);
// Checks the condition until it holds or the limit has passed; answers the last check.
bool WaitUntil(const std::function<bool()>& condition, DWORD limit = WindowWaitLimit);
bool WaitUntilGone(HWND window, DWORD limit = WindowWaitLimit);
HWND FindProcessDialog(const std::string& caption);
// The visible dialog boxes of this process, in the system's z-order.
std::vector<HWND> VisibleProcessDialogs();
void CloseAllDialogs();

std::string ItemText(HWND dialog, int id);
// Enter or Escape as the keyboard would give them: to the focused control of the window's thread.
void PressKey(HWND window, WPARAM key);
