#pragma once

#include <windows.h>

// Shows the hourglass while a blocking call runs, when there is an application to show it in.
class WaitCursor {
public:
    WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { Restore(); }

    void Restore();

private:
    HCURSOR previous = nullptr;
    bool shown = false;
};
