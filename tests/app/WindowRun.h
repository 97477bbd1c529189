#pragma once

#include <windows.h>

#include <string>

extern const char* const MainCaption;   // the main window
extern const char* const ReportCaption; // the report dialog
const DWORD WindowLimit = 30000;

// The visible top-level window of the process with that caption, or null.

// The real Doctor started in window mode, to be driven with window messages; ended by force if a
// test leaves it running.
class WindowRun {
public:
    WindowRun();
    WindowRun(const WindowRun&) = delete;
    WindowRun& operator=(const WindowRun&) = delete;
    ~WindowRun();

    bool Started() const { return started; }
    // The window once it is there; null when it has not appeared within the limit.
    HWND WaitForWindow(const char* caption, DWORD limit = WindowLimit);
    // True when the program ended by itself with exit code 0.
    bool EndedCleanly();

private:
    bool started = false;
    PROCESS_INFORMATION info = {};
};

// The whole text of a control of another process's window.
std::string ControlText(HWND dialog, int id);
