#pragma once

#include "base/ObjectBase.h"
#include "base/Str.h"
#include "framework/Menu.h"

#include <windows.h>

// An object bound to a window handle, with a virtual message handler. The object does not own
// its window.
class Window : public ObjectBase {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() override;

    virtual bool Create(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                        const RECT& rect, Window* parent, HMENU menuOrId, void* param);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);

    void Attach(HWND handle);
    void SubclassItem(int controlId, Window& dialog);
    LRESULT DefaultProc();
    void CenterOnScreen();
    void GetText(Str& text) const;
    HFONT GetFont() const;
    Menu GetSystemMenu(bool revert) const;

    HWND hwnd = nullptr;
    WNDPROC savedProc = nullptr;
};

Str ReadWindowText(HWND window);
