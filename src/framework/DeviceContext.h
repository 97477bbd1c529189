#pragma once

#include "framework/GdiObject.h"

#include <windows.h>

class Window;

// An owned device context that remembers the font its first SelectFont replaced.
class DeviceContext {
public:
    DeviceContext() = default;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    virtual ~DeviceContext();

    HDC Handle() const { return dc; }
    bool Attach(HDC handle);
    HDC Detach();
    FontObject& SelectFont(FontObject& font);

private:
    HDC dc = nullptr;
    FontObject savedFont; // belongs to the device context: never deleted by the wrapper
};

// The device context of one WM_PAINT, from BeginPaint to EndPaint.
class PaintContext : public DeviceContext {
public:
    explicit PaintContext(const Window& window);
    ~PaintContext() override;

    const PAINTSTRUCT& Paint() const { return paint; }

private:
    HWND hwnd;
    PAINTSTRUCT paint = {};
};
