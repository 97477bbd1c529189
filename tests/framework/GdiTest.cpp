#include "framework/DeviceContext.h"

#include <gtest/gtest.h>

namespace {

HFONT MakeFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
}

HGDIOBJ SelectedFont(HDC dc) {
    return GetCurrentObject(dc, OBJ_FONT);
}

} // namespace

TEST(GdiObject, DeletesWhatItOwnsAndNothingItGaveUp) {
    HFONT owned = MakeFont(12);
    HFONT replaced = MakeFont(13);
    HFONT released = MakeFont(14);
    {
        FontObject font;
        EXPECT_EQ(nullptr, font.Handle());
        font.Reset(owned);
        font.Reset(replaced);
        EXPECT_EQ(0u, GetObjectType(owned)); // deleted when replaced
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(replaced));
        font.Reset(replaced); // the same handle again is kept, not deleted
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(replaced));
    }
    EXPECT_EQ(0u, GetObjectType(replaced));
    {
        FontObject font;
        font.Reset(released);
        EXPECT_EQ(released, font.Release());
        EXPECT_EQ(nullptr, font.Handle());
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(released));
    DeleteObject(released);
}

TEST(DeviceContext, KeepsTheFirstReplacedFontAndPutsItBackOnRequest) {
    FontObject first, second;
    first.Reset(MakeFont(20));
    second.Reset(MakeFont(30));
    DeviceContext dc;
    ASSERT_TRUE(dc.Attach(CreateCompatibleDC(nullptr)));
    HGDIOBJ original = SelectedFont(dc.Handle());
    FontObject& saved = dc.SelectFont(first);
    EXPECT_EQ(first.Handle(), SelectedFont(dc.Handle()));
    EXPECT_EQ(original, saved.Handle());
    EXPECT_EQ(&saved, &dc.SelectFont(second));
    EXPECT_EQ(second.Handle(), SelectedFont(dc.Handle()));
    EXPECT_EQ(original, saved.Handle()); // the first replaced font stays saved
    dc.SelectFont(saved);
    EXPECT_EQ(original, SelectedFont(dc.Handle()));
    EXPECT_EQ(nullptr, saved.Handle());
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(original)); // never deleted
}

TEST(DeviceContext, DeletesItsHandleUnlessDetached) {
    HDC deleted = CreateCompatibleDC(nullptr);
    HDC replaced = CreateCompatibleDC(nullptr);
    {
        DeviceContext dc;
        EXPECT_FALSE(dc.Attach(nullptr));
        EXPECT_TRUE(dc.Attach(replaced));
        EXPECT_TRUE(dc.Attach(deleted));
        EXPECT_EQ(0u, GetObjectType(replaced));
    }
    EXPECT_EQ(0u, GetObjectType(deleted));

    FontObject font;
    font.Reset(MakeFont(25));
    HDC kept = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectedFont(kept);
    {
        DeviceContext dc;
        dc.Attach(kept);
        dc.SelectFont(font);
        EXPECT_EQ(kept, dc.Detach());
        EXPECT_EQ(nullptr, dc.Handle());
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(kept));
    EXPECT_EQ(font.Handle(), SelectedFont(kept)); // a detached context keeps the font selected
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(original));
    SelectObject(kept, original);
    DeleteDC(kept);
}
