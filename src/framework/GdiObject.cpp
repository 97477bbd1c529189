#include "framework/GdiObject.h"

void GdiObject::Reset(HGDIOBJ newHandle) {
    if (handle && handle != newHandle) {
        DeleteObject(handle);
    }
    handle = newHandle;
}

HGDIOBJ GdiObject::Release() {
    HGDIOBJ released = handle;
    handle = nullptr;
    return released;
}
