#pragma once

#include <windows.h>

// A menu handle that the wrapper does not own (the system menu of a window, for one).
class Menu {
public:
    explicit Menu(HMENU handle) : handle(handle) {}

    HMENU Handle() const { return handle; }
    bool AppendItem(UINT flags, UINT_PTR itemId, const char* text);

private:
    HMENU handle;
};
