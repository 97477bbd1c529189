#pragma once

#include "base/Str.h"
#include "framework/WindowMap.h"

#include <windows.h>

class AppBase {
public:
    AppBase();
    AppBase(const AppBase&) = delete;
    AppBase& operator=(const AppBase&) = delete;
    virtual ~AppBase();

    virtual int InitInstance() { return 0; }
    virtual int ExitInstance();
    virtual int OnIdle(unsigned idleCount);
    virtual int WinHelp(ULONG_PTR data, UINT command);

    void InitPaths();
    void InitPathsFrom(const char* programPath);
    Str GetProfileText(const char* section, const char* key, const char* defaultText) const;
    int32_t GetProfileNumber(const char* section, const char* key, int32_t defaultValue) const;
    HWND MainWindow() const;

    HINSTANCE InstanceHandle = nullptr;
    Str ModuleName;
    Str IniPath;
    Str HelpPath;
    bool HelpUsed = true;
    WindowMap Windows;
};

extern AppBase* TheApp;
