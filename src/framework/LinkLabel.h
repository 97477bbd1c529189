#pragma once

#include "framework/DeviceContext.h"
#include "framework/Window.h"

#include <cstdint>

// A static text of a dialog turned into a web link: underlined, link blue (purple once opened),
// a pointing hand over it, and a click, Enter or Space opens the address that the control shows.
// With the tab stop style it takes the focus and shows it; in high contrast it takes the system's
// hyperlink colour; assistive technology is told it is a link.
class LinkLabel : public Window {
public:
    explicit LinkLabel(unsigned cursorId);
    ~LinkLabel() override = default;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(DeviceContext& dc);
    void OpenLink();
    LRESULT OnSetCursor();
    COLORREF TextColour() const;

    // The shell's open and the system's high-contrast switch; a test may put in its own.
    static bool (*openAddress)(const char* address);
    static bool (*highContrastOn)();

    COLORREF normalColour = RGB(0, 0, 128);
    COLORREF visitedColour = RGB(128, 0, 128);
    int32_t visited = 0;
    Str link;
    HCURSOR cursor;
    FontObject font;

private:
    void MakeUnderlinedFont();
    LRESULT OnGetDlgCode(LPARAM message);
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnPaint();
    LRESULT RepaintAfterDefault();
    bool ShowsFocus() const;
    RECT TextBounds(HDC dc) const;

    HFONT madeFrom = nullptr;
};
