#include "app/ProgramEntry.h"

#include "framework/AppBase.h"
#include "framework/Messages.h"

namespace {

const char* const FrameworkClassName = "XFCWnd";
const DWORD IdleSleepMilliseconds = 100;

bool RegisterFrameworkClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = FrameworkWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = FrameworkClassName;
    return RegisterClassA(&windowClass) != 0;
}

// Runs until the quit message comes or the main window (the first one mapped) is gone; sleeps
// between idle turns instead of waiting for a message.
int RunMessageLoop(AppBase& app) {
    unsigned idleCount = 0;
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
            idleCount = 0;
            continue;
        }
        if (app.Windows.Count() == 0) {
            return app.ExitInstance();
        }
        if (!app.Windows.FindObject(app.Windows.FirstHandle())) {
            break;
        }
        app.OnIdle(idleCount++);
        Sleep(IdleSleepMilliseconds);
    }
    return app.ExitInstance();
}

} // namespace

int ProgramEntry(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!RegisterFrameworkClass(instance) || !TheApp) {
        return 0;
    }
    TheApp->InstanceHandle = instance;
    TheApp->InitPaths();
    TheApp->InitInstance();
    return RunMessageLoop(*TheApp);
}
