#pragma once

#include <windows.h>

// Messages and commands of the framework itself.
const UINT ReflectCtlColor = 0xBC19; // a control's colour request, sent on to its own object
const UINT ReflectCommand = 0xBD11;  // a control's click command, sent on to its own object
const UINT HelpCommandId = 0xE146;   // opens the help topic of the dialog

// The message being handled, overwritten on entry to either framework procedure.
struct MessageRecord {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

extern MessageRecord CurrentMessage;

LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FrameworkDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
