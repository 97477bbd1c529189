#include "framework/WindowMap.h"

Window* WindowMap::FindObject(HWND handle) const {
    for (const Slot& slot : slots) {
        if (slot.handle == handle) {
            return slot.object;
        }
    }
    return nullptr;
}

int32_t WindowMap::FreeSlot() const {
    for (int32_t i = 0; i < SlotCount; ++i) {
        if (!slots[i].object) {
            return i;
        }
    }
    return -1;
}

void WindowMap::PurgeDeadWindows() {
    for (Slot& slot : slots) {
        if (slot.object && !IsWindow(slot.handle)) {
            slot = Slot();
            --count;
        }
    }
}

// A full map first drops the entries of windows that no longer exist (controls bound without
// subclassing leave the map only this way); if it is still full the window stays unmapped.
void WindowMap::AddWindow(Window* object, HWND handle) {
    int32_t free = FreeSlot();
    if (free < 0) {
        PurgeDeadWindows();
        free = FreeSlot();
    }
    if (free < 0) {
        return;
    }
    slots[free].object = object;
    slots[free].handle = handle;
    ++count;
}

// The last window gone ends the program: the message loop sees the quit message posted here.
void WindowMap::RemoveWindow(HWND handle) {
    for (Slot& slot : slots) {
        if (slot.object && slot.handle == handle) {
            slot = Slot();
            --count;
            break;
        }
    }
    if (count == 0) {
        PostQuitMessage(0);
    }
}
