#include "framework/AppBase.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Plain windows that the framework does not see being destroyed, like controls bound by data
// exchange.
class MessageWindows {
public:
    explicit MessageWindows(int count) {
        for (int i = 0; i < count; ++i) {
            handles.push_back(CreateWindowExA(0, "Static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                              nullptr, nullptr));
        }
    }
    ~MessageWindows() {
        for (HWND handle : handles) {
            DestroyWindow(handle);
        }
    }
    std::vector<HWND> handles;
};

bool QuitPosted() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

} // namespace

TEST(WindowMap, FindsTheObjectOfAHandleAndForgetsItOnRemoval) {
    WindowMap map;
    Window first, second;
    MessageWindows windows(2);
    EXPECT_EQ(nullptr, map.FindObject(windows.handles[0]));
    EXPECT_EQ(nullptr, map.FindObject(nullptr));
    map.AddWindow(&first, windows.handles[0]);
    map.AddWindow(&second, windows.handles[1]);
    EXPECT_EQ(2, map.Count());
    EXPECT_EQ(&first, map.FindObject(windows.handles[0]));
    EXPECT_EQ(&second, map.FindObject(windows.handles[1]));
    EXPECT_EQ(windows.handles[0], map.FirstHandle());
    EXPECT_EQ(nullptr, map.FindObject(nullptr));

    map.RemoveWindow(windows.handles[0]);
    EXPECT_EQ(1, map.Count());
    EXPECT_EQ(nullptr, map.FindObject(windows.handles[0]));
    EXPECT_FALSE(QuitPosted());
    // The first free slot is reused: the main window's slot is slot 0 again.
    map.AddWindow(&first, windows.handles[0]);
    EXPECT_EQ(windows.handles[0], map.FirstHandle());
    map.RemoveWindow(windows.handles[0]);
    map.RemoveWindow(windows.handles[1]);
    EXPECT_EQ(0, map.Count());
    EXPECT_TRUE(QuitPosted());
}

TEST(WindowMap, RemovingAnUnknownHandlePostsQuitOnlyWhenEmpty) {
    WindowMap map;
    Window object;
    MessageWindows windows(2);
    map.RemoveWindow(windows.handles[0]);
    EXPECT_EQ(0, map.Count());
    EXPECT_TRUE(QuitPosted());
    map.AddWindow(&object, windows.handles[0]);
    map.RemoveWindow(windows.handles[1]);
    map.RemoveWindow(nullptr);
    EXPECT_EQ(1, map.Count());
    EXPECT_FALSE(QuitPosted());
    map.RemoveWindow(windows.handles[0]);
    EXPECT_TRUE(QuitPosted());
}

TEST(WindowMap, AFullMapReclaimsOnlyTheSlotsOfDeadWindows) {
    WindowMap map;
    std::vector<std::unique_ptr<Window>> objects;
    MessageWindows windows(WindowMap::SlotCount + 2);
    for (int i = 0; i < WindowMap::SlotCount + 2; ++i) {
        objects.push_back(std::make_unique<Window>());
    }
    for (int i = 0; i < WindowMap::SlotCount; ++i) {
        map.AddWindow(objects[i].get(), windows.handles[i]);
    }
    EXPECT_EQ(WindowMap::SlotCount, map.Count());
    HWND extra = windows.handles[WindowMap::SlotCount];
    map.AddWindow(objects[WindowMap::SlotCount].get(), extra);
    EXPECT_EQ(nullptr, map.FindObject(extra));
    EXPECT_EQ(WindowMap::SlotCount, map.Count());

    HWND dead = windows.handles[7];
    DestroyWindow(dead);
    EXPECT_EQ(objects[7].get(), map.FindObject(dead)); // still there until a full map purges
    map.AddWindow(objects[WindowMap::SlotCount].get(), extra);
    EXPECT_EQ(objects[WindowMap::SlotCount].get(), map.FindObject(extra));
    EXPECT_EQ(nullptr, map.FindObject(dead));
    EXPECT_EQ(WindowMap::SlotCount, map.Count());
    EXPECT_FALSE(QuitPosted());
}
