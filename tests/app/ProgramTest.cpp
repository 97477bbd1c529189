#include "Registry.h"
#include "WindowDriver.h"
#include "WindowRun.h"

#include <gtest/gtest.h>

TEST(Program, WindowModeEndsWithExitCodeZero) {
    enum Close { EscapeKey, CloseButton, CloseBox };
    for (Close close : {EscapeKey, CloseButton, CloseBox}) {
        WindowRun program;
        ASSERT_TRUE(program.Started());
        HWND main = program.WaitForWindow(MainCaption);
        ASSERT_NE(nullptr, main) << close;
        EXPECT_EQ("Ready for analysis to begin. Press  Diagnose to begin", ControlText(main, 1002));
        if (close == EscapeKey) {
            PressKey(main, VK_ESCAPE);
        } else if (close == CloseButton) {
            PostMessageA(GetDlgItem(main, IDCANCEL), BM_CLICK, 0, 0);
        } else {
            PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        EXPECT_TRUE(program.EndedCleanly()) << close;
    }
}

namespace {

const char* const DesktopKey = "Control Panel\\Desktop";

// The screen's DPI as Wine reads it when a program starts; the old value comes back at the end.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi)
        : hadValue(TestRegistry::GetDword(HKEY_CURRENT_USER, DesktopKey, "LogPixels", old)) {
        TestRegistry::SetDword(HKEY_CURRENT_USER, DesktopKey, "LogPixels", dpi);
    }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
    ~ScreenDpi() {
        if (hadValue) {
            TestRegistry::SetDword(HKEY_CURRENT_USER, DesktopKey, "LogPixels", old);
        } else {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, DesktopKey, "LogPixels");
        }
    }

private:
    DWORD old = 0;
    bool hadValue;
};

// The Diagnose button and the report log of a window started at that DPI, in screen pixels.
bool MeasureMainWindow(DWORD dpi, RECT& button, RECT& log) {
    ScreenDpi screen(dpi);
    WindowRun program;
    HWND main = program.Started() ? program.WaitForWindow(MainCaption) : nullptr;
    if (!main) {
        return false;
    }
    GetWindowRect(GetDlgItem(main, IDOK), &button);
    GetWindowRect(GetDlgItem(main, 1000), &log);
    PressKey(main, VK_ESCAPE);
    return program.EndedCleanly();
}

double Ratio(LONG larger, LONG smaller) {
    return smaller > 0 ? static_cast<double>(larger) / smaller : 0;
}

} // namespace

// At 144 DPI the layout and its font grow by half. (Wine draws a program without DPI awareness
// at the screen's DPI as well; the manifest's setting is checked with the resources.)
TEST(Program, AtOneHundredFortyFourDpiTheControlsScale) {
    RECT button96, log96, button144, log144;
    ASSERT_TRUE(MeasureMainWindow(96, button96, log96));
    ASSERT_TRUE(MeasureMainWindow(144, button144, log144));
    EXPECT_NEAR(1.5, Ratio(button144.bottom - button144.top, button96.bottom - button96.top), 0.1);
    EXPECT_NEAR(1.5, Ratio(log144.right - log144.left, log96.right - log96.left), 0.1);
}
