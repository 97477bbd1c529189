#include "framework/LinkLabel.h"

#include "framework/AppBase.h"
#include "framework/Messages.h"
#include "trace/TraceLog.h"

#include <shellapi.h>

namespace {

// Plain left, centred or right aligned text; any other static keeps its normal look.
bool IsPlainTextStatic(LONG_PTR style) {
    return (style & 0xFF) <= SS_RIGHT;
}

} // namespace

LinkLabel::LinkLabel(unsigned cursorId)
    : cursor(LoadCursorA(TheApp ? TheApp->InstanceHandle : nullptr,
                         MAKEINTRESOURCEA(cursorId & 0xFFFF))) {
}

LRESULT LinkLabel::WindowProc(UINT message, WPARAM wParam, LPARAM) {
    if (message == ReflectCtlColor) {
        DeviceContext dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        HBRUSH brush = OnCtlColor(dc);
        dc.Detach();
        return reinterpret_cast<LRESULT>(brush);
    }
    if (message == ReflectCommand && HIWORD(wParam) == 0) {
        OpenLink();
        return 1;
    }
    if (message == WM_SETCURSOR) {
        return OnSetCursor();
    }
    return 0;
}

HBRUSH LinkLabel::OnCtlColor(DeviceContext& dc) {
    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    if (!(style & SS_NOTIFY)) {
        SetWindowLongPtrA(hwnd, GWL_STYLE, style | SS_NOTIFY);
    }
    if (!IsPlainTextStatic(style)) {
        return nullptr;
    }
    if (!font.Handle() || GetFont() != madeFrom) {
        MakeUnderlinedFont();
    }
    dc.SelectFont(font);
    SetTextColor(dc.Handle(), visited ? visitedColour : normalColour);
    SetBkMode(dc.Handle(), TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

// A control without a font of its own draws with the system font: that one is underlined then.
// The dialog gives its controls a new font when the window's DPI changes: the link follows it.
void LinkLabel::MakeUnderlinedFont() {
    HFONT base = GetFont();
    madeFrom = base;
    LOGFONTA description = {};
    if (!GetObjectA(base ? base : GetStockObject(SYSTEM_FONT), sizeof description, &description)) {
        return;
    }
    description.lfUnderline = 1;
    font.Reset(CreateFontIndirectA(&description));
}

void LinkLabel::OpenLink() {
    if (link.IsEmpty()) {
        GetText(link);
    }
    HINSTANCE result = ShellExecuteA(nullptr, "open", link.Text(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        Trace(0, "Unable to display web site page '%s'", link.Text());
        return;
    }
    visited = 1;
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT LinkLabel::OnSetCursor() {
    if (cursor) {
        SetCursor(cursor);
        return 1;
    }
    return DefaultProc() ? 1 : 0;
}
