#include "framework/DeviceContext.h"

#include "framework/Window.h"

DeviceContext::~DeviceContext() {
    savedFont.Release();
    if (dc) {
        DeleteDC(dc);
    }
}

bool DeviceContext::Attach(HDC handle) {
    if (dc) {
        DeleteDC(dc);
    }
    dc = handle;
    return dc != nullptr;
}

HDC DeviceContext::Detach() {
    HDC detached = dc;
    dc = nullptr;
    return detached;
}

// Selecting the saved-font slot itself puts the original font back.
FontObject& DeviceContext::SelectFont(FontObject& font) {
    if (&font == &savedFont) {
        SelectObject(dc, savedFont.Release());
        return savedFont;
    }
    HGDIOBJ replaced = SelectObject(dc, font.Handle());
    if (!savedFont.Handle()) {
        savedFont.Reset(replaced);
    }
    return savedFont;
}

PaintContext::PaintContext(const Window& window) : hwnd(window.hwnd) {
    Attach(BeginPaint(hwnd, &paint));
}

PaintContext::~PaintContext() {
    EndPaint(hwnd, &paint);
    Detach();
}
