#pragma once

#include <windows.h>

// An owned graphics object (pen, brush, font...), deleted with the wrapper.
class GdiObject {
public:
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject() { Reset(nullptr); }

    HGDIOBJ Handle() const { return handle; }
    // Deletes what is held and takes the new handle.
    void Reset(HGDIOBJ newHandle);
    // Gives the handle up without deleting it.
    HGDIOBJ Release();

private:
    HGDIOBJ handle = nullptr;
};

class FontObject : public GdiObject {
public:
    HFONT Font() const { return static_cast<HFONT>(Handle()); }
};
