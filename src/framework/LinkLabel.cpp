#include "framework/LinkLabel.h"

#include "framework/AppBase.h"
#include "framework/LinkAccessible.h"
#include "framework/Messages.h"
#include "trace/TraceLog.h"

#include <shellapi.h>

namespace {

// Plain left, centred or right aligned text; any other static keeps its normal look.
bool IsPlainTextStatic(LONG_PTR style) {
    return (style & 0xFF) <= SS_RIGHT;
}

bool OpenWithShell(const char* address) {
    HINSTANCE result = ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool SystemHighContrastOn() {
    HIGHCONTRASTA setting = {};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON);
}

bool IsOpenKey(WPARAM key) {
    return key == VK_RETURN || key == VK_SPACE;
}

// The static paints its text on a hollow brush: what lies under it is the dialog's background,
// which the dialog paints into the control's device context, moved to the control's place.
void PaintParentBackground(HWND control, HDC dc) {
    HWND parent = GetParent(control);
    POINT origin = {};
    MapWindowPoints(control, parent, &origin, 1);
    POINT saved = {};
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &saved);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, saved.x, saved.y, nullptr);
}

} // namespace

bool (*LinkLabel::openAddress)(const char* address) = OpenWithShell;
bool (*LinkLabel::highContrastOn)() = SystemHighContrastOn;

LinkLabel::LinkLabel(unsigned cursorId)
    : cursor(LoadCursorA(TheApp ? TheApp->InstanceHandle : nullptr,
                         MAKEINTRESOURCEA(cursorId & 0xFFFF))) {
}

LRESULT LinkLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case ReflectCtlColor: {
        DeviceContext dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        HBRUSH brush = OnCtlColor(dc);
        dc.Detach();
        return reinterpret_cast<LRESULT>(brush);
    }
    case ReflectCommand:
        if (HIWORD(wParam) != 0) {
            return 0;
        }
        OpenLink();
        return 1;
    case WM_SETCURSOR:
        return OnSetCursor();
    case WM_GETDLGCODE:
        return OnGetDlgCode(lParam);
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_PAINT:
        return OnPaint();
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        return RepaintAfterDefault();
    case WM_GETOBJECT:
        return static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)
                   ? AnswerLinkObjectRequest(hwnd, wParam)
                   : 0;
    default:
        return 0;
    }
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
    SetTextColor(dc.Handle(), TextColour());
    SetBkMode(dc.Handle(), TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

// High contrast has one colour for links, opened or not: the system's.
COLORREF LinkLabel::TextColour() const {
    if (highContrastOn()) {
        return GetSysColor(COLOR_HOTLIGHT);
    }
    return visited ? visitedColour : normalColour;
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
    if (!openAddress(link.Text())) {
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

// The dialog manager would give Enter to the default button: the focused link asks for it.
LRESULT LinkLabel::OnGetDlgCode(LPARAM message) {
    LRESULT code = DefaultProc();
    const MSG* key = reinterpret_cast<const MSG*>(message);
    if (key && key->message == WM_KEYDOWN && IsOpenKey(key->wParam)) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

// Enter and Space tell the dialog what a click tells it, so both open the link the same way.
// A key held down opens it once.
LRESULT LinkLabel::OnKeyDown(WPARAM key, LPARAM flags) {
    const LPARAM wasDown = 1 << 30;
    if (!IsOpenKey(key) || (flags & wasDown)) {
        return 0;
    }
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
    return 1;
}

// The whole control is painted afresh each time, so the focus rectangle, drawn by inverting,
// never lingers and the text is never drawn over its previous colour.
LRESULT LinkLabel::OnPaint() {
    if (!savedProc) {
        return 0;
    }
    PaintContext paint(*this);
    PaintParentBackground(hwnd, paint.Handle());
    CallWindowProcA(savedProc, hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paint.Handle()),
                    PRF_CLIENT);
    if (ShowsFocus()) {
        RECT bounds = TextBounds(paint.Handle());
        DrawFocusRect(paint.Handle(), &bounds);
    }
    return 1;
}

LRESULT LinkLabel::RepaintAfterDefault() {
    DefaultProc();
    InvalidateRect(hwnd, nullptr, TRUE);
    return 1;
}

// The system decides whether focus cues show: hidden until the keyboard is used, on most systems.
bool LinkLabel::ShowsFocus() const {
    return GetFocus() == hwnd && !(SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

// The text's own extent within the control, placed as the control's alignment places it.
RECT LinkLabel::TextBounds(HDC dc) const {
    RECT client = {};
    GetClientRect(hwnd, &client);
    Str text = ReadWindowText(hwnd);
    HGDIOBJ previous = SelectObject(dc, font.Handle() ? font.Handle() : GetFont());
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.Text(), static_cast<int>(text.Length()), &extent);
    SelectObject(dc, previous);
    LONG width = extent.cx + 2 < client.right ? extent.cx + 2 : client.right;
    LONG_PTR alignment = GetWindowLongPtrA(hwnd, GWL_STYLE) & SS_TYPEMASK;
    LONG left = alignment == SS_CENTER  ? (client.right - width) / 2
                : alignment == SS_RIGHT ? client.right - width
                                        : 0;
    return {left, 0, left + width, client.bottom};
}
