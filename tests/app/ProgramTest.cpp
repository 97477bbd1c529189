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
        EXPECT_EQ("Ready for analysis to begin. Press  Diagnose to begin",
                  ControlText(main, 1002));
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
