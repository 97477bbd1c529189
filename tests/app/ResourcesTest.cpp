#include "resources/ResourceIds.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<GroupEntry> GroupEntries(const char* type, unsigned id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    std::vector<GroupEntry> entries;
    if (!found) {
        return entries;
    }
    auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    auto* first = reinterpret_cast<const GroupEntry*>(header + 3);
    entries.assign(first, first + header[2]);
    return entries;
}

} // namespace

TEST(Resources, IconHoldsA32And16PixelImage) {
    std::vector<GroupEntry> entries =
        GroupEntries(MAKEINTRESOURCEA(14), IDI_DOCTOR); // RT_GROUP_ICON
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(32, entries[0].width);
    EXPECT_EQ(32, entries[0].height);
    EXPECT_EQ(16, entries[1].width);
    EXPECT_EQ(16, entries[1].height);
    for (const GroupEntry& entry : entries) {
        EXPECT_EQ(16, entry.colours);
        EXPECT_EQ(4, entry.bits);
    }
    HICON small = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DOCTOR), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(nullptr, small);
    DestroyIcon(small);
}

TEST(Resources, CursorIsA32PixelHandWithItsHotSpotAtTheFingertip) {
    std::vector<GroupEntry> entries =
        GroupEntries(MAKEINTRESOURCEA(12), IDR_HAND_CURSOR); // RT_GROUP_CURSOR
    ASSERT_EQ(1u, entries.size());
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(entries[0].id), MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, image);
    // A cursor image: the hot spot, then the bitmap header of a 16-colour picture.
    auto* hotSpot = static_cast<const WORD*>(LockResource(LoadResource(module, image)));
    auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(hotSpot + 2);
    EXPECT_EQ(13, hotSpot[0]);
    EXPECT_EQ(2, hotSpot[1]);
    EXPECT_EQ(32, header->biWidth);
    EXPECT_EQ(4, header->biBitCount);
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HAND_CURSOR));
    ASSERT_NE(nullptr, hand);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(13u, info.xHotspot);
    EXPECT_EQ(2u, info.yHotspot);
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(32, colour.bmWidth);
    EXPECT_EQ(32, colour.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(Resources, VersionIsOnePointTwentyFour) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(24, 1), fixed->dwFileVersionMS);
}
