#include "framework/Window.h"

#include "base/CharBuffer.h"
#include "framework/AppBase.h"
#include "framework/Messages.h"

Window::~Window() {
    if (hwnd && savedProc) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProc));
        savedProc = nullptr;
    }
}

bool Window::Create(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, Window* parent, HMENU menuOrId, void* param) {
    HINSTANCE instance = TheApp ? TheApp->InstanceHandle : nullptr;
    hwnd = CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top,
                           parent ? parent->hwnd : nullptr, menuOrId, instance, param);
    if (hwnd) {
        Attach(hwnd);
    }
    return hwnd != nullptr;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (savedProc) {
        return CallWindowProcA(savedProc, hwnd, message, wParam, lParam);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT Window::OnCommand(WPARAM, LPARAM) {
    return 0;
}

LRESULT Window::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return 0;
}

void Window::Attach(HWND handle) {
    if (TheApp && !TheApp->Windows.FindObject(handle)) {
        TheApp->Windows.AddWindow(this, handle);
    }
}

// Takes over a dialog item: its messages come to this object first, the item's own procedure
// gets what the object leaves to the default handling.
void Window::SubclassItem(int controlId, Window& dialog) {
    HWND item = GetDlgItem(dialog.hwnd, controlId);
    if (!item || hwnd) {
        return;
    }
    Attach(item);
    hwnd = item;
    savedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(item, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWndProc)));
}

// Passes on the message being handled, as recorded on entry: call it before the handler sends
// any message of its own, which would overwrite the record.
LRESULT Window::DefaultProc() {
    const MessageRecord& m = CurrentMessage;
    if (savedProc) {
        return CallWindowProcA(savedProc, m.hwnd, m.message, m.wParam, m.lParam);
    }
    return DefWindowProcA(m.hwnd, m.message, m.wParam, m.lParam);
}

void Window::CenterOnScreen() {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Window::GetText(Str& text) const {
    text = ReadWindowText(hwnd);
}

// Empty when the window has no text or the memory for it was not there.
Str ReadWindowText(HWND window) {
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length < 1) {
        return Str();
    }
    CharBuffer buffer(static_cast<size_t>(length) + 1);
    if (!buffer.Data()) {
        return Str();
    }
    SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(length) + 1,
                 reinterpret_cast<LPARAM>(buffer.Data()));
    return Str(buffer.Data());
}

HFONT Window::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
}

Menu Window::GetSystemMenu(bool revert) const {
    return Menu(::GetSystemMenu(hwnd, revert));
}
