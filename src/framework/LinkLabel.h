#pragma once

#include "framework/DeviceContext.h"
#include "framework/Window.h"

#include <cstdint>

// A static text of a dialog turned into a web link: underlined, link blue (purple once opened),
// a pointing hand over it, and a click opens the address that the control shows.
class LinkLabel : public Window {
public:
    explicit LinkLabel(unsigned cursorId);
    ~LinkLabel() override = default;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(DeviceContext& dc);
    void OpenLink();
    LRESULT OnSetCursor();

    COLORREF normalColour = RGB(0, 0, 128);
    COLORREF visitedColour = RGB(128, 0, 128);
    int32_t visited = 0;
    Str link;
    HCURSOR cursor;
    FontObject font;

private:
    void MakeUnderlinedFont();

    HFONT madeFrom = nullptr;
};
