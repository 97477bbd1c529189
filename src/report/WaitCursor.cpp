#include "report/WaitCursor.h"

#include "framework/AppBase.h"

WaitCursor::WaitCursor() {
    if (TheApp) {
        previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        shown = true;
    }
}

void WaitCursor::Restore() {
    if (shown) {
        SetCursor(previous);
        shown = false;
    }
}
