#include "report/WaitCursor.h"

#include "framework/AppBase.h"

#include <gtest/gtest.h>

TEST(WaitCursor, ShownAndRestoredWithAnApplication) {
    AppBase app;
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(arrow);
    {
        WaitCursor cursor;
        EXPECT_EQ(wait, GetCursor());
        cursor.Restore();
        EXPECT_EQ(arrow, GetCursor());
        SetCursor(nullptr);
    }
    EXPECT_EQ(nullptr, GetCursor());
    {
        WaitCursor cursor;
        EXPECT_EQ(wait, GetCursor());
    }
    EXPECT_EQ(nullptr, GetCursor());
}

TEST(WaitCursor, NothingWithoutAnApplication) {
    ASSERT_EQ(nullptr, TheApp);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    WaitCursor cursor;
    EXPECT_EQ(arrow, GetCursor());
    cursor.Restore();
    EXPECT_EQ(arrow, GetCursor());
}
