#pragma once

#include "base/Str.h"
#include "framework/WindowMap.h"
#include "trace/MessageBoxes.h"

#include <windows.h>

// The program: its instance, the paths beside it and its windows. The message boxes belong to it
// (its name is their caption), so it registers itself with them for its lifetime.
class AppBase : public MessageBoxOwner {
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
    HWND MainWindow() const override;
    const char* Caption() const override;

    HINSTANCE InstanceHandle = nullptr;
    Str ModuleName;
    Str IniPath;
    Str HelpPath;
    bool HelpUsed = true;
    WindowMap Windows;
};

extern AppBase* TheApp;
