#pragma once

#include <windows.h>

#include <cstdint>

class Window;

// The process-wide map from window handles to the objects bound to them.
class WindowMap {
public:
    static constexpr int32_t SlotCount = 50;

    Window* FindObject(HWND handle) const;
    void AddWindow(Window* object, HWND handle);
    void RemoveWindow(HWND handle);
    int32_t Count() const { return count; }
    HWND FirstHandle() const { return slots[0].handle; }

private:
    struct Slot {
        Window* object = nullptr;
        HWND handle = nullptr;
    };

    int32_t FreeSlot() const;
    void PurgeDeadWindows();

    Slot slots[SlotCount];
    int32_t count = 0;
};
